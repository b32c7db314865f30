# cmake -DSOURCE=<ini template> -DINSTALL=<folder> -P InstallSettings.cmake
# Writes the default settings file (Windows-1252, CR LF, folders as Windows paths) and the data
# folders of a fresh installation. An existing settings file is the user's and is kept.
set(ini ${INSTALL}/MZ3100.ini)
foreach(pasta Exames BancoDados Exemplos Laudos Modulos Mapas "Calibração")
  file(MAKE_DIRECTORY "${INSTALL}/${pasta}")
endforeach()
if(EXISTS ${ini})
  return()
endif()
# Z: is the Unix root in Wine.
string(REPLACE "/" "\\" MZ_DIR "Z:${INSTALL}")
file(READ ${SOURCE} texto)
string(CONFIGURE "${texto}" texto @ONLY)
string(REPLACE "\n" "\r\n" texto "${texto}")
file(WRITE ${ini}.utf8 "${texto}")
execute_process(COMMAND iconv -f UTF-8 -t CP1252 ${ini}.utf8 OUTPUT_FILE ${ini} RESULT_VARIABLE rc)
file(REMOVE ${ini}.utf8)
if(NOT rc EQUAL 0)
  file(REMOVE ${ini})
  message(FATAL_ERROR "could not write ${ini}")
endif()
