# Compiles the program's resources into a target: the form description TFORM1
# and the application icon MAINICON. Without FORM the target gets the icon only,
# which is how the tests build a program whose form description is missing.
function(moravin_add_resources target)
    cmake_parse_arguments(ARG "FORM" "" "" ${ARGN})
    set(resources "${PROJECT_SOURCE_DIR}/resources")
    qt_add_resources(${target} "moravin_icon_${target}"
        PREFIX "/icons"
        BASE "${resources}"
        FILES "${resources}/MAINICON.xpm")
    if(ARG_FORM)
        qt_add_resources(${target} "moravin_form_${target}"
            PREFIX "/forms"
            BASE "${resources}"
            FILES "${resources}/TFORM1")
    endif()
endfunction()
