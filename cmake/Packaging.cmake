# `make package`: a Debian package with the desktop program, trindel-cli, trindel-devsim, the
# desktop entry, the icon and the MIME types. Its dependencies come from the binaries' shared
# libraries (dpkg-shlibdeps), so it installs with `apt install ./trindel_*.deb` on Debian 12.
# The MIME and desktop databases are refreshed by the triggers of shared-mime-info and
# desktop-file-utils, so the package needs no scripts of its own.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "trindel")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Trindel developers <trindel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data acquisition for respirometry and physiology labs")
set(CPACK_PACKAGE_DESCRIPTION
    "Records, converts, shows and saves signals from A-D loggers and serial instruments, with valve switching, alarms and respirometry calculators. Includes trindel-cli (headless recording, conversion and reports) and trindel-devsim (device simulators on pseudo-terminals).")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
