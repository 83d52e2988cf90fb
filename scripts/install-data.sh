#!/usr/bin/env bash
# Installs the Debian data packages that make-default-dic reads, only those missing:
#   kanjidic      /usr/share/edict/kanjidic: grades and per-kanji readings (CC BY-SA 4.0, EDRDG)
#   mecab-ipadic  /usr/share/mecab/dic/ipadic/*.csv: the words of the main dictionary
#   unidic-mecab  /usr/share/mecab/dic/unidic/lex_3_1.csv: more words and readings (large), and
#                 /var/lib/mecab/dic/unidic, with which MeCab tells how words read in context
#   bash scripts/install-data.sh      (MIRUKAZE_UNIDIC=0 leaves UniDic out)
set -euo pipefail

# UniDic is a download of about 600 MB; the default dictionaries use it when it is there.
use_unidic="${MIRUKAZE_UNIDIC:-1}"

packages=(kanjidic mecab-ipadic)
if [ "$use_unidic" = "1" ]; then packages+=(unidic-mecab); fi

bash "$(dirname "${BASH_SOURCE[0]}")/install-missing.sh" install-data "${packages[@]}"
