#!/usr/bin/env bash
# Checks what the build in build/ installs: validates the desktop entry and the metainfo, checks
# the versions, the MIME types and an example run of the installed programs, then makes the
# Debian package, checks it with lintian and lists it. Run after scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || { echo "check-install: build/ is missing; run scripts/test.sh" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

prefix=$tmp/usr
cmake --install build --prefix "$prefix" >/dev/null
id=org.pumpfield.Pumpfield

echo "== desktop entry"
desktop-file-validate "$prefix/share/applications/$id.desktop"
echo "== metainfo"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

echo "== versions"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
[ "$("$prefix/bin/pumpfield-cli" --version)" = "pumpfield-cli $version" ] ||
  fail "pumpfield-cli --version does not print $version"
[ "$("$prefix/bin/pumpfield" --version)" = "pumpfield $version" ] ||
  fail "pumpfield --version does not print $version"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release $version"
zcat "$prefix/share/doc/pumpfield/changelog.gz" | head -1 | grep -qF "pumpfield ($version)" ||
  fail "the change log does not start with $version"
echo "$version"

echo "== MIME types by content (files without extension)"
update-mime-database "$prefix/share/mime" 2>/dev/null
mkdir "$tmp/home" "$tmp/mime"
for example in "$prefix"/share/pumpfield/Data/*.inp "$prefix"/share/pumpfield/Data/*.out; do
  case $example in
  *.inp) expected=application/x-pumpfield-input ;;
  *.out) expected=application/x-pumpfield-report ;;
  esac
  copy=$tmp/mime/$(basename "$example" | tr . _)
  cp "$example" "$copy"
  type=$(XDG_DATA_HOME=$tmp/home XDG_DATA_DIRS=$prefix/share:/usr/share \
    gio info -a standard::content-type "$copy" | sed -n 's/.*standard::content-type: //p')
  [ "$type" = "$expected" ] || fail "$(basename "$example") is seen as $type, not $expected"
done
echo "every example recognised"

echo "== example run from the installed data"
mkdir "$tmp/run"
cp "$prefix/share/pumpfield/Data/field-rectangular.inp" "$tmp/run/"
(cd "$tmp/run" && "$prefix/bin/pumpfield-cli" run field-rectangular.inp >/dev/null) ||
  fail "the example run failed"
# Lines 13 and 14 name the files and so differ with the folder.
diff <(sed 13,14d "$tmp/run/field-rectangular.out") \
  <(sed 13,14d "$prefix/share/pumpfield/Data/field-rectangular.out") ||
  fail "the report differs from the installed example report"
echo "report as installed"

echo "== Python module from the installed prefix"
python_dir=$(sed -n 's/^PUMPFIELD_PYTHON_INSTALL_DIR:STRING=//p' build/CMakeCache.txt)
if [ -n "$python_dir" ]; then
  python=$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' build/CMakeCache.txt)
  (cd "$tmp/run" && PYTHONPATH="$prefix/$python_dir" "$python" -c 'import pumpfield
pumpfield.run(pumpfield.read_input("field-rectangular.inp")).write_report("python.out")') ||
    fail "the installed Python module does not run"
  diff <(sed 13,14d "$tmp/run/python.out") \
    <(sed 13,14d "$prefix/share/pumpfield/Data/field-rectangular.out") ||
    fail "the installed Python module's report differs from the installed example report"
  echo "pumpfield $(PYTHONPATH="$prefix/$python_dir" "$python" -c 'import pumpfield; print(pumpfield.__version__)') in $python_dir"
fi

echo "== bash completion and manual page"
completion=$prefix/share/bash-completion/completions/pumpfield-cli
[ -f "$completion" ] || fail "the bash completion is not installed"
offered=$(cd "$tmp/run" && bash -c 'source "$1"
  COMP_LINE="pumpfield-cli sweep field-rectangular.inp --vary S"; COMP_POINT=${#COMP_LINE}
  COMP_WORDS=("$2" S); COMP_CWORD=1; _pumpfield_cli; echo "${COMPREPLY[*]}"' \
  _ "$completion" "$prefix/bin/pumpfield-cli")
[ "$offered" = "Sa= Sb=" ] || fail "the completion offers \"$offered\" for --vary S of a field"
for command in $("$prefix/bin/pumpfield-cli" __complete "pumpfield-cli " | tail -n +2); do
  zcat "$prefix/share/man/man1/pumpfield-cli.1.gz" | grep -q "^\.SH \"PUMPFIELD-CLI ${command^^}\"" ||
    fail "the manual page has no section for the command $command"
done
echo "completion installed, a manual section per command"

echo "== Debian package"
(cd build && cpack -G DEB >/dev/null)
package=build/pumpfield_${version}_$(dpkg --print-architecture).deb
[ -f "$package" ] || fail "$package was not made"
lintian --fail-on error "$package" 2>&1 | { grep -v 'running with root privileges' || true; }
dpkg-deb -c "$package" | tee "$tmp/contents"
grep -q '/usr/share/bash-completion/completions/pumpfield-cli$' "$tmp/contents" ||
  fail "the package holds no bash completion"
[ -z "$python_dir" ] || grep -q "/usr/$python_dir/pumpfield/__init__.py\$" "$tmp/contents" ||
  fail "the package holds no Python module"
echo "$package: $(stat -c %s "$package") bytes"
