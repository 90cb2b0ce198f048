# The WebAssembly toolchain for the web preset: emscripten's own toolchain file, found beside the
# emcc on the PATH, wherever the machine installed it.
find_program(QUORVEL_EMCC emcc REQUIRED)
file(REAL_PATH ${QUORVEL_EMCC} emcc)
get_filename_component(emscripten_root ${emcc} DIRECTORY)
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
