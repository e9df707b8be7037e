# A browser build: the game and the page that carries it, and a frame benchmark run in Node.
# The data comes from a native build; tests, fuzz targets and the native benchmarks are the
# desktop build's. WebAssembly has no stack or loader to harden.
set(KG_HOST_FOLDERS page bench/web)
set(KG_BUILD_TESTS OFF)
set(KG_BUILD_BENCH OFF)
set(KG_FUZZ OFF)

# kg_host_program(TARGET): the page's folder lays the program out beside the page.
function(kg_host_program target)
endfunction()
