# Writes the service worker: the template with every file of the page and its SHA-256, and the
# cache named by a digest of them all. Run as a script: -DSITE=folder -DTEMPLATE=file
# -DFILES=name;name... -DOUTPUT=file.
set(lines "")
set(all "")
foreach(file ${FILES})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND lines "  '${file}': '${digest}',\n")
  string(APPEND all "${file} ${digest}\n")
endforeach()
string(SHA256 whole "${all}")
string(SUBSTRING ${whole} 0 16 KG_PAGE_DIGEST)
string(REGEX REPLACE "\n$" "" KG_PAGE_FILES "${lines}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
