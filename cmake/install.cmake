# What `cmake --install` puts under the prefix:
#   bin/pirclean
#   lib/libpirclean_{qvutil,seqio,params}.a
#   include/pirclean/{qvutil/qvutil.h, qvutil/qvtimes.h, seqio/seqio.h, params/params.h}
#   lib/cmake/pirclean/  the CMake package: find_package(pirclean CONFIG) gives
#                        pirclean::qvutil, pirclean::seqio, pirclean::params
#   lib/pkgconfig/pirclean.pc
#   share/man/man1/pirclean.1.gz
# (lib is the platform's library folder, as GNUInstallDirs names it.)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PIRCLEAN_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/pirclean)
set(PIRCLEAN_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/pirclean)

# Installed under names of their own: a bare libparams.a would say nothing
# among a system's libraries. The aliases give the build tree the names an
# installed package has.
foreach(library qvutil seqio params)
  set_target_properties(${library} PROPERTIES OUTPUT_NAME pirclean_${library})
  add_library(pirclean::${library} ALIAS ${library})
endforeach()

install(TARGETS pirclean RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Callers include the headers by module, as the project does
# ("seqio/seqio.h"), so include/pirclean goes on their include path.
install(TARGETS qvutil seqio params EXPORT pirclean-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${PIRCLEAN_INCLUDEDIR})
install(FILES qvutil/qvutil.h qvutil/qvtimes.h DESTINATION ${PIRCLEAN_INCLUDEDIR}/qvutil)
install(FILES seqio/seqio.h DESTINATION ${PIRCLEAN_INCLUDEDIR}/seqio)
install(FILES params/params.h DESTINATION ${PIRCLEAN_INCLUDEDIR}/params)

install(EXPORT pirclean-targets NAMESPACE pirclean:: DESTINATION ${PIRCLEAN_CMAKEDIR})
configure_package_config_file(cmake/pirclean-config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/pirclean-config.cmake
  INSTALL_DESTINATION ${PIRCLEAN_CMAKEDIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/pirclean-config-version.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pirclean-config.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/pirclean-config-version.cmake
  DESTINATION ${PIRCLEAN_CMAKEDIR})

# The pkg-config file finds the prefix from its own place, so it stays right
# whatever prefix the tree is installed or packaged under.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(pc_prefix ${CMAKE_INSTALL_PREFIX})
  set(pc_libdir ${CMAKE_INSTALL_FULL_LIBDIR})
  set(pc_includedir ${CMAKE_INSTALL_FULL_INCLUDEDIR}/pirclean)
else()
  file(RELATIVE_PATH up /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" up "${up}")
  set(pc_prefix "\${pcfiledir}/${up}")
  set(pc_libdir "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(pc_includedir "\${prefix}/${PIRCLEAN_INCLUDEDIR}")
endif()
configure_file(cmake/pirclean.pc.in ${CMAKE_CURRENT_BINARY_DIR}/pirclean.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pirclean.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The manual page, compressed as Debian wants it (-n: no name or time stamp,
# so the same page gives the same bytes).
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
  set(manpage ${CMAKE_CURRENT_BINARY_DIR}/pirclean.1.gz)
  add_custom_command(OUTPUT ${manpage}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/pirclean.1 ${CMAKE_CURRENT_BINARY_DIR}/pirclean.1
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_CURRENT_BINARY_DIR}/pirclean.1
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/pirclean.1
    VERBATIM)
  add_custom_target(pirclean_manpage ALL DEPENDS ${manpage})
else()
  set(manpage ${PROJECT_SOURCE_DIR}/docs/pirclean.1)
endif()
install(FILES ${manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
