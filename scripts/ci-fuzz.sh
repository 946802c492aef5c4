#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz) and runs each for a fixed
# time on a corpus seeded from the shipped data and test inputs. A crash, a leak or
# a sanitizer report fails the script; the input that caused it is kept in
# build-fuzz/findings.
#
#   scripts/ci-fuzz.sh [seconds per target] [target ...]
#
# Longer runs: pass more seconds (e.g. 3600) and, to fuzz one parser, its name. The
# corpus grows in build-fuzz/corpus/<target> and is reused by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
shift || true
build=build-fuzz

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRK_FUZZ=ON -DBRK_GUI=OFF -DBRK_TESTS=OFF -DBRK_BENCH=OFF "${launcher[@]}" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
cmake --build "$build" -j2 --target "${targets[@]}"

# Seeds: files from data/ and tests/data, and a few inputs written here in the
# formats that live only inside test sources. Parts of one input are separated by
# a zero byte (see fuzz/fuzz_support.h).
seed() {  # seed TARGET NAME PRINTF-FORMAT
  mkdir -p "$build/corpus/$1"
  printf "$3" > "$build/corpus/$1/seed-$2"
}
copy_seeds() {  # copy_seeds TARGET FILE...
  local target=$1
  shift
  mkdir -p "$build/corpus/$target"
  cp "$@" "$build/corpus/$target/"
}
copy_seeds control_file_fuzz data/*.CTL
copy_seeds dlg_get_fuzz data/*.CTL
copy_seeds access_functions_fuzz data/ACCFCN.CTL
copy_seeds profile_fuzz data/*.CTL
copy_seeds profile_section_fuzz data/*.CTL
copy_seeds class_substitution_fuzz data/*.CPP data/*.H
copy_seeds resource_library_fuzz data/TEMPLRES.rcc
seed control_file_fuzz repeat '\002[Template]\n// $_Function\n[$_ArgName]\n * $_ArgType $_ArgName\n[]\n'
seed dlg_get_fuzz prompt '// $_DlgGet(Purpose, none)\000EDIT\000[Dialog]\nResDllName=TEMPLRES\nResID=7001\n[Purpose]\nType=EDIT\nID=1000\n'
seed access_functions_fuzz members 'int m_nCount; CString m_strName[4];\000[Control]\nGet=1\n'
seed class_wizard_file_fuzz clw '[General Info]\nVersion=1\nClassCount=2\nClass1=CDemoApp\nClass2=CMainDlg\nResourceCount=1\nResource1=IDD_MAIN\n[CLS:CDemoApp]\nType=0\nHeaderFile=demo.h\n\0003'
seed class_substitution_fuzz strings 'OLD NEW\n"two words" "other words"\n\000class $_ClassName : public $_BaseClass OLD\000IDD_MAIN'
seed clipboard_file_fuzz text 'BRACKWATER-CLIPBOARD 1\nCF_TEXT\n5\nhello\nMSVCColumnSelect\n1\n\001\n'
seed command_line_fuzz filter '/4\000/E\000grep -v "x y"\000/H\000/B'
seed command_line_fuzz tallowik 'demo.mak\000/src/demo\000/N'
seed command_line_fuzz quoted 'sh -c "$_Filter < $_Input > $_Output"\000sed '"'"'s/a b/"c"/'"'"'\000/tmp/in put\000/tmp/o$ut'
seed swap_groupings_fuzz swap 'src/main.cpp\000[CPP,H][C,H][CXX,HXX]'
seed ide_link_fuzz title 'Microsoft Visual C++ - demo.mak\n'
seed ide_link_fuzz ack 'ACK\n'
seed registry_format_fuzz store 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Default\\Defaults]\n"User ID"="jdoe"\n"Auto Paste"=dword:00000001\n"Bytes"=hex(1):41,00\n'
seed declaration_fuzz function 'virtual const CString& CWnd::Name(int n = 0, char* p[]) const'
seed profile_fuzz ini '\000[A]\nk=v\n; comment\n[B]\n=x\n'

mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
  echo "== $target: ${seconds}s"
  mkdir -p "$build/corpus/$target"
  if ! "$build/bin/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      "$build/corpus/$target" >"$build/findings/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$build/findings/$target.log"
  else
    grep -E '^stat::number_of_executed_units|^Done' "$build/findings/$target.log" || true
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]}" >&2
  exit 1
fi
