# Writes SITE/sw.js from TEMPLATE: the files it keeps at install (CORE, the forecast's) and later
# (REST), each with its SHA-256, and a cache name from VERSION and the files' digest, so that any
# change of a file gives the service worker a new cache and no file of another build enters it.
set(digest_input "${VERSION}")
foreach(part CORE REST)
  set(${part}_list "")
  separate_arguments(files UNIX_COMMAND "${${part}}")
  foreach(file ${files})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND digest_input "${file}${hash}")
    string(APPEND ${part}_list "\n  './${file}': '${hash}',")
  endforeach()
endforeach()
string(SHA256 digest "${digest_input}")
string(SUBSTRING "${digest}" 0 16 digest)
set(QUORVEL_SITE_DIGEST "${VERSION}-${digest}")
set(QUORVEL_SITE_CORE "${CORE_list}")
set(QUORVEL_SITE_REST "${REST_list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
