# Run by cmake -P when a site's files are in place: names the service
# worker's cache for this build (a digest of every file) and lists the files
# it keeps.  SITE is the site's directory, TEMPLATE the service worker's source.
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(digests "")
set(TOVIK_SITE_FILES "\"./\"")
foreach(name ${files})
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${name} ${digest}\n")
  string(APPEND TOVIK_SITE_FILES ", \"${name}\"")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 TOVIK_SITE_BUILD)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
