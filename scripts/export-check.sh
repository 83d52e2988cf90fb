#!/usr/bin/env bash
# The word-processor and web files checked by the programs that open them: LibreOffice Writer
# (headless) turns the ODT and the DOCX into PDF and pdftotext must find every base and reading
# in each; headless Chromium prints the HTML5 page to PDF (the same search) and renders it
# horizontal and vertical to PNG. Installs what is missing first.
#   bash scripts/export-check.sh [--docs]   (mirukaze-cli from $BUILD_DIR, else build)
# --docs puts one rendered page of each into docs/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cli="$build/cli/mirukaze-cli"
docs=""
if [ "${1:-}" = "--docs" ]; then docs="$root/docs"; fi
start=$SECONDS

bash "$root/scripts/install-missing.sh" export-check \
  libreoffice-writer-nogui poppler-utils chromium fonts-noto-cjk
[ -x "$cli" ] || { echo "FAIL: $cli is not built" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Bases and readings that occur nowhere else in the page, each group its own word.
cat >"$work/sheet.srb" <<'TEXT'
{図書館/としょかん}で{絵本/えほん}を{借/か}りました。
{先生/せんせい}と{一緒/いっしょ}に{読/よ}みます。

{宇宙/うちゅう}の{話/はなし}は{面白/おもしろ}い。
TEXT
pairs=(図書館 としょかん 絵本 えほん 借 か 先生 せんせい 一緒 いっしょ 読 よ 宇宙 うちゅう 話 はなし 面白 おもしろ)

home="$work/home"
mkdir -p "$home"
export_to() {  # FORMAT OUT [OPTION...]
  local format="$1" out="$2"
  shift 2
  "$cli" --home "$home" export --format "$format" "$@" "$work/sheet.srb" -o "$out" >/dev/null
}
# Named apart: LibreOffice names each PDF after its document.
export_to odt "$work/from-odt.odt"
export_to docx "$work/from-docx.docx"
export_to html5 "$work/sheet.html"
export_to html5 "$work/vertical.html" --vertical

# Every base and reading in the text of a PDF, spaces and line breaks taken out: a reading
# set above its base may stand on a line of its own.
check_pdf() {  # PDF WHAT
  local text
  text="$(pdftotext -enc UTF-8 "$1" - | tr -d ' \n\f')"
  for piece in "${pairs[@]}"; do
    if [[ "$text" != *"$piece"* ]]; then
      echo "FAIL: $2: '$piece' is not in the PDF's text:" >&2
      echo "$text" >&2
      exit 1
    fi
  done
  echo "$2: every base and reading is in the PDF"
}

# LibreOffice with a profile of its own, so that a user's running office is never asked.
soffice --headless --norestore "-env:UserInstallation=file://$work/office" \
  --convert-to pdf --outdir "$work/pdf" "$work/from-odt.odt" "$work/from-docx.docx" \
  >"$work/office.log" 2>&1 || { cat "$work/office.log" >&2; exit 1; }
check_pdf "$work/pdf/from-odt.pdf" ODT
check_pdf "$work/pdf/from-docx.pdf" DOCX

browser="$(command -v chromium || command -v chromium-browser)"
run_browser() {
  # No network: the page is a local file, and a closed network makes background requests fail.
  HOME="$work" "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-quic --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" "$@" 2>/dev/null
}
run_browser --no-pdf-header-footer --print-to-pdf="$work/pdf/html.pdf" "file://$work/sheet.html" \
  >/dev/null
check_pdf "$work/pdf/html.pdf" HTML5
for page in sheet vertical; do
  run_browser --window-size=800,600 --screenshot="$work/$page.png" "file://$work/$page.html" \
    >/dev/null
  [ -s "$work/$page.png" ] || { echo "FAIL: Chromium rendered no picture of $page.html" >&2; exit 1; }
done
echo "HTML5: rendered horizontal and vertical"

if [ -n "$docs" ]; then
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/pdf/from-odt.pdf" "$docs/export_odt"
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/pdf/from-docx.pdf" "$docs/export_docx"
  cp "$work/sheet.png" "$docs/export_html5.png"
  cp "$work/vertical.png" "$docs/export_html5_vertical.png"
  echo "pictures in $docs"
fi
echo "export-check: $((SECONDS - start)) s"
