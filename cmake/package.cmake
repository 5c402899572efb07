# The Debian package: `cpack -G DEB` in the build folder makes
# pirclean_VERSION_ARCH.deb holding everything cmake/install.cmake installs,
# under /usr.
set(PIRCLEAN_PACKAGE_CONTACT "pirclean maintainers <maintainers@pirclean.example>"
  CACHE STRING "Maintainer of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pirclean)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${PIRCLEAN_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clean sequence files into PIR (NBRF) form")
# The long description, in lines of the width Debian wants.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "pirclean reads sequence entries on standard input and writes each one to"
  "standard output in PIR (NBRF) form: the cleaned identifier, the title"
  "line, and the letters of the body on one line closed by an asterisk. It"
  "streams in constant memory and is meant for pipelines."
  ""
  "The package also holds the C++ static libraries the program is built"
  "from (the sequence entry reader and writer, run parameters, checked"
  "memory and utilities) with their headers, a CMake package and a"
  "pkg-config file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The program without its debugging sections; the static libraries stay as
# they are.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: computed by dpkg-shlibdeps from what the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
