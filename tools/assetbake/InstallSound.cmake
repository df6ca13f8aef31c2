# Installs one baked sound as a player's installation does: copies the Ogg
# Vorbis file into the data folder and runs wavemelt on it there, which writes
# the .tws file and deletes the copy.
#   cmake -DOGG=... -DDATA_DIR=... -DWAVEMELT=... -P InstallSound.cmake
get_filename_component(ogg_name ${OGG} NAME)
string(REGEX REPLACE "\\.ogg$" ".tws" tws_name ${ogg_name})
file(MAKE_DIRECTORY ${DATA_DIR})
file(REMOVE ${DATA_DIR}/${tws_name})
file(COPY ${OGG} DESTINATION ${DATA_DIR})
# wavemelt's one line of output is the result of deleting its own program file,
# which a build's data folder does not have.
execute_process(
  COMMAND ${WAVEMELT} ${ogg_name}
  WORKING_DIRECTORY ${DATA_DIR}
  RESULT_VARIABLE result
  OUTPUT_QUIET)
if(NOT result EQUAL 0 OR NOT EXISTS ${DATA_DIR}/${tws_name} OR EXISTS ${DATA_DIR}/${ogg_name})
  message(FATAL_ERROR "wavemelt did not install ${ogg_name} into ${DATA_DIR} (exit status ${result})")
endif()
