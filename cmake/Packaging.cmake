# What `cmake --install` adds around the program folder for the desktop, and
# the Debian package built from the same install with `cpack -G DEB`.
set(KELVARA_APP_ID io.kelvara.Kelvara)

install(FILES ${PROJECT_SOURCE_DIR}/data/${KELVARA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${KELVARA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/appicon/${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${KELVARA_APP_ID}.png)
endforeach()

# Debian wants the copyright, a changelog and the manual page, the last two
# compressed at most and without a time stamp.
function(kelvara_gzip source destination)
  get_filename_component(name ${source} NAME)
  set(packed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${source} > ${packed}
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  add_custom_target(kelvara_gzip_${name} ALL DEPENDS ${packed})
  install(FILES ${packed} DESTINATION ${destination})
endfunction()
kelvara_gzip(${PROJECT_SOURCE_DIR}/data/debian/changelog.Debian share/doc/kelvara)
kelvara_gzip(${PROJECT_SOURCE_DIR}/data/debian/kelvara.1 share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION share/doc/kelvara)

set(CPACK_PACKAGE_NAME kelvara)
set(CPACK_PACKAGE_VENDOR "The Kelvara developers")
set(CPACK_PACKAGE_CONTACT "Kelvara developers <maintainers@kelvara.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter for audio and video files")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kelvara.io/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary above this text and indents each of its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kelvara converts a list of audio and video files one after the other: AVI,
QuickTime, MPEG, MP4, Matroska, WebM, Windows Media, RealMedia, 3GP, Ogg and
disc files, and MP3, FLAC, WAV and other sound files, become
AVI or MPEG video (with VCD, SVCD and DVD presets), MP4, MKV, WebM or AV1
video, still pictures or GIF animations, video for phones, tablets,
televisions, the web, portable players and consoles, or MP3, WMA, WAV, MP2,
AC3, FLAC, Opus, AAC, Ogg Vorbis and ALAC sound. Each file can be trimmed in the built-in preview; the list
shows each file's progress, remaining time and final state.")
# The libraries come from the binaries; the encoder runs the ffmpeg program.
# libmpv is opened at the first preview or sound, not linked, so the binaries
# do not name it: its package is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, libmpv2")
# xdg-open opens a finished output and its folder from the file list's menu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, xdg-utils")
# The program folder holds executables, which Debian keeps out of /usr/share:
# the package moves it to /usr/lib/kelvara before it is built.
# The program folder is copied as the build wrote it, so its executables are
# stripped there too.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageLayout.cmake)
set(CPACK_KELVARA_STRIP ${CMAKE_STRIP})
include(CPack)
