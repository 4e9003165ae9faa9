# Run by cpack once the package's files are staged (CPACK_PRE_BUILD_SCRIPTS), for what Debian's
# own packaging tools would add: the Debian changelog of this version, signed by the maintainer and
# compressed as Debian wants it (highest level, no time stamp; its date is SOURCE_DATE_EPOCH's when
# that is set), and binaries and libraries without the compiler's notes, as dh_strip leaves them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")

set(doc_dir "${staged}/share/doc/${CPACK_PACKAGE_NAME}")
set(version "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE "${doc_dir}/changelog.Debian"
    "${CPACK_PACKAGE_NAME} (${version}) unstable; urgency=medium\n"
    "\n"
    "  * Telvarin ${CPACK_PACKAGE_VERSION}, packaged from its source tree.\n"
    "\n"
    " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
execute_process(COMMAND gzip -9 -n -f "${doc_dir}/changelog.Debian" COMMAND_ERROR_IS_FATAL ANY)

file(GLOB programs "${staged}/bin/*")
file(GLOB_RECURSE libraries "${staged}/lib/*.so")
execute_process(COMMAND strip --remove-section=.comment --remove-section=.note ${programs} ${libraries}
    COMMAND_ERROR_IS_FATAL ANY)
