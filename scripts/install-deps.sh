#!/usr/bin/env bash
# Installs the Debian packages that building and testing mirukaze need, only those missing.
set -euo pipefail

packages=(
  build-essential  # make and the C/C++ toolchain
  cmake            # the build
  ccache           # objects an earlier build made are reused, in every build folder
  g++              # C++20 compiler
  libgtest-dev     # GoogleTest, the unit tests
  libgmock-dev     # GoogleMock, used beside GoogleTest
  googletest       # the GoogleTest sources and CMake files
  libc-bin         # iconv(1); glibc's own iconv with its CP932 table converts Shift_JIS
  libicu-dev       # ICU's collator: the Japanese line order of the source sort
  libzip-dev       # libzip: the zip containers of the exported ODT and DOCX files
  libmecab-dev     # MeCab (libmecab2), opened by make-default-dic alone to read words in context
  chromium         # headless browser: the HTML ruby page is rendered in a test
  fonts-noto-cjk   # Japanese glyphs for that rendering and for the desktop application
  qt6-base-dev     # Qt 6 Widgets, Network, Concurrent and Test: the desktop application and its tests
  qt6-translations-l10n  # Qt's own texts (stock buttons, file and colour dialogs) in Japanese
  poppler-utils    # pdftoppm: a printed PDF is turned into pictures in a test
  qt6-speech-dev   # Qt TextToSpeech: read-aloud
  qt6-declarative-dev  # Qt QML integration, which Qt TextToSpeech's CMake files ask for
  qt6-speech-speechd-plugin  # Qt TextToSpeech on speech-dispatcher
  speech-dispatcher  # the desktop's speech service
  speech-dispatcher-espeak-ng  # its espeak-ng voices, Japanese among them
  espeak-ng        # the synthesiser itself
  pulseaudio       # a sound server whose null sink plays in real time: read-aloud's bench
  pulseaudio-utils # pactl, which asks that server whether it is up
)

bash "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh" install-deps "${packages[@]}"
