# The web build, configured with `emcmake cmake` (see `make web`): the engine with its web and
# headless backends and the game, as one WebAssembly program. In a page it plays on the web
# backend; under Node.js (`node brinefall.js --headless ...`) on the headless one, so that
# the same program can be held against the native one frame for frame.
#
# Emscripten's ports (its SDL, libpng, zlib) would be downloaded at build time, so none is
# used: no SDL, and no PNG files are written here. The data folder of a native build is
# preloaded into the program's file system at /data.
set(BRINEFALL_WEB_DATA_DIR "" CACHE PATH "The data folder of a native build, preloaded at /data")
if(NOT IS_DIRECTORY "${BRINEFALL_WEB_DATA_DIR}")
  message(FATAL_ERROR "BRINEFALL_WEB_DATA_DIR must name the data folder of a native build (build/release/data)")
endif()

# C++ exceptions carry the game's errors to their dialogs; WebAssembly's own exception
# handling costs nothing on the paths that throw none.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
# WebAssembly's 128-bit vectors (every current browser and Node.js has them) run the
# renderer's SSE2 blend kernels.
add_compile_options(-msimd128 -msse2)
# Bulk memory copies and fills in one instruction each, float-to-integer conversions that
# saturate instead of trapping need no range checks around them, and the engine and the game
# optimised as one program inline across their libraries: together about 3 % of the whole
# game's processor time under Node.js (2.06 to 2.0 times the native program's). Every
# current browser and Node.js has both instruction sets.
add_compile_options(-mbulk-memory -mnontrapping-fptoint -flto)
add_link_options(-mbulk-memory -mnontrapping-fptoint -flto)

add_subdirectory(gameengine)
add_subdirectory(game)

set_target_properties(brinefall PROPERTIES SUFFIX .js)
target_link_options(brinefall PRIVATE
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web,node
  -sEXPORTED_RUNTIME_METHODS=[callMain,FS]
  -lnodefs.js
  --extern-pre-js ${CMAKE_SOURCE_DIR}/web/node-host.js
  --preload-file ${BRINEFALL_WEB_DATA_DIR}@/data)
set_property(TARGET brinefall APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/node-host.js)
