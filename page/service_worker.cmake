# Writes the service worker (cmake -P): its template TEMPLATE to OUTPUT, with the version VERSION,
# the files it keeps, FILES (paths under ROOT, separated by "|"), and a digest of their contents.
string(REPLACE "|" ";" files "${FILES}")
set(digests "")
foreach(file ${files})
    file(SHA256 ${ROOT}/${file} digest)
    string(APPEND digests "${digest}")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 16 TESSARY_WEB_DIGEST)
set(TESSARY_WEB_VERSION ${VERSION})
list(JOIN files "', '" TESSARY_WEB_FILES)
set(TESSARY_WEB_FILES "'./', '${TESSARY_WEB_FILES}'")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
