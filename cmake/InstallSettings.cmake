# cmake -DSOURCE=<ini template> -DINSTALL=<folder> -DPRINTER=<printer port script> -P InstallSettings.cmake
# Writes the default settings files (Windows-1252, CR LF, folders as Windows paths), the data folders
# of a fresh installation and the script behind its printer. Existing settings files are the user's
# and are kept, like everything in the data folders.
foreach(pasta Exames BancoDados Exemplos Laudos Modulos Mapas "Calibração" Impressos Midia)
  file(MAKE_DIRECTORY "${INSTALL}/${pasta}")
endforeach()
file(COPY ${PRINTER} DESTINATION ${INSTALL})
# Z: is the Unix root in Wine.
string(REPLACE "/" "\\" MZ_DIR "Z:${INSTALL}")

# write_settings(TEMPLATE FILE): FILE from TEMPLATE unless FILE exists.
function(write_settings template ini)
  if(EXISTS ${ini})
    return()
  endif()
  file(READ ${template} texto)
  string(CONFIGURE "${texto}" texto @ONLY)
  string(REPLACE "\n" "\r\n" texto "${texto}")
  file(WRITE ${ini}.utf8 "${texto}")
  execute_process(COMMAND iconv -f UTF-8 -t CP1252 ${ini}.utf8 OUTPUT_FILE ${ini} RESULT_VARIABLE rc)
  file(REMOVE ${ini}.utf8)
  if(NOT rc EQUAL 0)
    file(REMOVE ${ini})
    message(FATAL_ERROR "could not write ${ini}")
  endif()
endfunction()

write_settings(${SOURCE} ${INSTALL}/MZ3100.ini)
# The backup state file sits beside the settings template.
get_filename_component(modelos ${SOURCE} DIRECTORY)
write_settings(${modelos}/BackUp.ini.in ${INSTALL}/BackUp.ini)
# The backup module's medium is the drive M:, which the run command maps to the folder "Midia".
write_settings(${modelos}/MidiaBackup.ini.in ${INSTALL}/Modulos/MidiaBackup.ini)
