# cmake -DTO=<stage> -DPROGRAM=<Varnook.exe> -DSERVER=<Tallivor.dll> -DSKINS=<folder> -DLANGS=<folder>
#       [-DHELP=<help file>] -P stage.cmake
# Fills the emptied folder TO with what a user gets, laid out as the build lays it beside Varnook.exe.
# Each file comes from where it is made, not from that folder: whatever runs left there (Config.ini,
# English.ini, Default.ini, test files) stays out, and a copy the build did not refresh cannot slip in.
file(REMOVE_RECURSE "${TO}")
file(MAKE_DIRECTORY "${TO}/Skins")
file(COPY "${PROGRAM}" "${SERVER}" DESTINATION "${TO}")
file(GLOB skins "${SKINS}/*")
file(COPY ${skins} DESTINATION "${TO}/Skins")
file(GLOB languages "${LANGS}/*.ini")
if(languages OR HELP)
    file(COPY ${languages} ${HELP} DESTINATION "${TO}/Langs")
endif()
