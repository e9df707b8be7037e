# The one place that chooses what the game is built for: a page (emscripten) or a desktop.
# Everything that differs between them lives in the host's twin folder (platform/desktop or
# platform/browser) and in the host's file here.
if(EMSCRIPTEN)
  set(KG_HOST browser)
else()
  set(KG_HOST desktop)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/${KG_HOST}.cmake)
