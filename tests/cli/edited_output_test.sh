#!/usr/bin/env bash
# The real mirukaze-cli binary keeps a YMI file, an NNN file or a page that a person edited as
# its backup (.~ymi, .~nnn, Rb.~html) before replacing it, in either encoding, as it keeps a
# ruby file; a file it wrote itself and nobody touched is simply replaced.
#   edited_output_test.sh MIRUKAZE_CLI
cli="$1"
source "$(dirname "$0")/script_support.sh"
run() { "$cli" --home "$home" --no "$@" >/dev/null 2>"$scratch/err" || fail "'$*': $(cat "$scratch/err")"; }

cd "$scratch"
printf '{今日/きょう}\n' >utf8.srb
iconv -f UTF-8 -t CP932 utf8.srb | sed 's/$/\r/' >sjis.srb
printf '{明日/あした}\n' >utf8.next
iconv -f UTF-8 -t CP932 utf8.next | sed 's/$/\r/' >sjis.next

# command OUTPUT BACKUP: for each form, the first run writes OUTPUT; an edit is kept as BACKUP by
# the next run; a run over what it wrote itself keeps the edit in the backup, also when the
# new file says something else.
for form in sjis utf8; do
  for row in "ymi a.ymi a.~ymi" "nnn a.nnn a.~nnn" "html aRb.html aRb.~html" \
             "html--pass-through aRb.htm aRb.~htm"; do
    read -r command output backup <<<"$row"
    read -ra words <<<"${command/--/ --}"
    rm -f a.* aRb.*
    cp $form.srb a.srb
    run "${words[@]}" a.srb
    [ -s "$output" ] || fail "$command wrote no $output"
    [ ! -e "$backup" ] || fail "$command made a backup of nothing"
    echo "edited by hand" >>"$output"
    cp "$output" edited
    run "${words[@]}" a.srb
    cmp -s "$backup" edited || fail "$command ($form) did not keep the edited $output as $backup"
    cp $form.next a.srb
    run "${words[@]}" a.srb
    cmp -s "$backup" edited || fail "$command ($form) pushed the edit out of $backup"
    run "${words[@]}" a.srb
    cmp -s "$backup" edited || fail "$command ($form) pushed the edit out of $backup on a rerun"
  done
done

echo "mirukaze-cli edited output: all checks passed"
