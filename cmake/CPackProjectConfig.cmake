# Read by cpack before it packs. A Debian package names the person who answers for it; nobody can
# know who that is but the one who builds it, so it has to be given.
if(CPACK_GENERATOR STREQUAL "DEB")
    if(NOT CPACK_PACKAGE_CONTACT MATCHES "^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$")
        message(FATAL_ERROR
            "The Debian package needs a maintainer, \"Name <address>\" (now: \"${CPACK_PACKAGE_CONTACT}\"). "
            "Configure with -DTELVARIN_MAINTAINER=\"Name <address>\", "
            "or run TELVARIN_MAINTAINER=\"Name <address>\" scripts/package.")
    endif()
endif()
