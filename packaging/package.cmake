# The Debian packages, built by `make package` (cpack -G DEB): "quarnel"
# from the cli component and "quarnel-windows" from the windows component.
# Their library dependencies are computed from the binaries (shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarnel)
set(CPACK_PACKAGE_VERSION ${QUARNEL_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR "the Quarnel authors")
set(CPACK_PACKAGE_CONTACT "the Quarnel authors <author@quarnel.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quarnel.example/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
if(TARGET quarnel-windows)
  list(APPEND CPACK_COMPONENTS_ALL windows)
endif()
set(CPACK_COMPONENT_WINDOWS_DEPENDS cli)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "the Quarnel authors <author@quarnel.example>")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME quarnel)
set(CPACK_DEBIAN_CLI_PACKAGE_SUGGESTS quarnel-windows)
set(CPACK_COMPONENT_CLI_DESCRIPTION
"compacts HTML pages in place
Quarnel makes HTML files smaller where they lie: it removes layout blanks
at the ends of lines, empty lines and the generator lines that HTML
editors write, and joins lines, while every byte no rule touches stays as
it was, in Shift-JIS and UTF-8 pages alike. Folders are walked for the
pages in them and in all their sub-folders.

This package holds the command line, which needs no windowing libraries;
quarnel-windows adds the small window that takes dropped files, and the
menu entry.")

set(CPACK_DEBIAN_WINDOWS_PACKAGE_NAME quarnel-windows)
set(CPACK_COMPONENT_WINDOWS_DESCRIPTION
"compacts HTML pages in place - the windows
Quarnel makes HTML files smaller where they lie. This package adds its
windows (Qt 6): a small window to drop pages and folders on, its settings
and about windows, and a menu entry that also compacts the pages and
folders opened with it, telling any problem in a message box.")

include(CPack)
