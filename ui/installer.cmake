# The Windows installer telvarin-setup.exe (data/windows/telvarin-setup.nsi), made with NSIS's
# makensis where it is at hand: cmake --build BUILD --target telvarin-setup.
if(NOT WIN32)
    return()
endif()
find_program(TELVARIN_MAKENSIS makensis)
if(NOT TELVARIN_MAKENSIS)
    return()
endif()
set(telvarin_setup ${PROJECT_BINARY_DIR}/telvarin-setup.exe)
set(telvarin_setup_script ${PROJECT_SOURCE_DIR}/data/windows/telvarin-setup.nsi)
set(telvarin_kent_de ${PROJECT_BINARY_DIR}/data/repertorien/kent-de)
set(telvarin_setup_icon)
if(TELVARIN_PICTURE_RENDERER)
    set(telvarin_setup_icon -DICON=${CMAKE_CURRENT_BINARY_DIR}/telvarin.ico)
endif()
add_custom_command(
    OUTPUT ${telvarin_setup}
    COMMAND ${TELVARIN_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
            -DPROGRAM=$<TARGET_FILE:telvarin> -DTOOL=$<TARGET_FILE:telvarin-repertory>
            -DKENT_DE=${telvarin_kent_de}.dat -DKENT_DE_INFO=${telvarin_kent_de}.info
            -DLICENCE=${PROJECT_SOURCE_DIR}/LICENSE ${telvarin_setup_icon} -DOUTFILE=${telvarin_setup}
            ${telvarin_setup_script}
    DEPENDS ${telvarin_setup_script} telvarin telvarin-repertory kent_de_data_file ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Making the installer telvarin-setup.exe"
    VERBATIM)
add_custom_target(telvarin-setup DEPENDS ${telvarin_setup})
