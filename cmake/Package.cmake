# The Debian package, made by CPack (bash scripts/package.sh): both programs, the help, the
# desktop entry and icons, the manual page, and the tables the default dictionaries are made
# from. The dictionaries themselves are made when the package is installed (cmake/debian/postinst)
# and removed with it, so the package is configured with MIRUKAZE_INSTALL_DICTIONARIES=OFF.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirukaze)
set(CPACK_PACKAGE_VENDOR "mirukaze")
set(CPACK_PACKAGE_CONTACT "mirukaze maintainers <maintainers@mirukaze.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "furigana (ruby) for Japanese texts: desktop editor and command line")
set(CPACK_PACKAGE_DESCRIPTION
    "mirukaze gives Japanese texts readings (ruby) from dictionaries made from\n"
    "KANJIDIC and MeCab's IPAdic or UniDic, in the notation {漢/かん}{字/じ}, and turns\n"
    "ruby files into HTML pages and other formats.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
# The libraries the programs link (libzip for the exports, ICU, Qt) become dependencies here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The default dictionaries are made from these; UniDic gives the better readings, IPAdic is
# what they fall back on.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "kanjidic, mecab-ipadic")
# Read-aloud needs the speech service and a Japanese voice; without them the program runs silent.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "unidic-mecab, qt6-speech-speechd-plugin, speech-dispatcher-espeak-ng")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/cmake/debian/postinst;${PROJECT_SOURCE_DIR}/cmake/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
