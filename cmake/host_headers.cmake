# Header-only libraries of the build machine, as imported targets: Boost.Math's distributions
# (Boost::headers) and CLI11 (CLI11::CLI11). The native build finds their packages. The
# WebAssembly toolchain looks for packages only in its own root, and the machine's other headers
# are not for WebAssembly: there each library's own folder is found among the machine's headers
# (beside the machine's own cmake) and put alone on the path.
function(quorvel_host_header_library target header folder)
  get_filename_component(host_prefix ${CMAKE_COMMAND} DIRECTORY)
  get_filename_component(host_prefix ${host_prefix} DIRECTORY)
  find_path(${folder}_HOST_INCLUDE ${header} PATHS ${host_prefix}/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(alone ${CMAKE_BINARY_DIR}/host_headers/${folder})
  file(MAKE_DIRECTORY ${alone})
  file(CREATE_LINK ${${folder}_HOST_INCLUDE}/${folder} ${alone}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE ${alone})
endfunction()

if(EMSCRIPTEN)
  quorvel_host_header_library(Boost::headers boost/math/distributions/chi_squared.hpp boost)
  quorvel_host_header_library(CLI11::CLI11 CLI/CLI.hpp CLI)
else()
  find_package(Boost 1.74 REQUIRED)
  find_package(CLI11 REQUIRED)
endif()
