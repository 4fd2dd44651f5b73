# Sourced by package.sh: tests of the 64-bit release packages under Wine, on
# a fresh prefix, as a user would run them: silent setup, what it registers,
# the installed menu, the update package against an older 1.7 build, a
# second setup, silent uninstall, and a setup refused while the menu runs.
. "$ROOT/scripts/wine-env.sh"

passed=${passed:-0}
failed=${failed:-0}

# check NAME COMMAND...: one test, passed when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then
    echo "   ok    $name"
    passed=$((passed + 1))
  else
    echo "   FAIL  $name"
    failed=$((failed + 1))
  fi
}

equals() {
  [ "$1" = "$2" ] || { echo "         got \"$1\", expected \"$2\""; return 1; }
}

# reg_value KEY [NAME]: the data of a value (the key's default without NAME).
reg_value() {
  local which=(/ve)
  [ -n "${2:-}" ] && which=(/v "$2")
  "$WINE64" reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | sed -nE 's/^ {4}.* {4}REG_[A-Z_]+ {4}//p'
}

reg_key_missing() {
  ! "$WINE64" reg query "$1" >/dev/null 2>&1
}

# run_package_tests BUILD_DIR SETUP UPDATE_ZIP
run_package_tests() {
  local build=$1 setup=$2 update_zip=$3
  local prefix=$build/prefix-package
  local drive=$prefix/drive_c
  local program_files=$drive/"Program Files"
  local folder='C:\Program Files\Orva Corporation\Orva Dereze'
  local installed=$program_files/"Orva Corporation/Orva Dereze"
  local suite=$program_files/"Orva Corporation/Nembo Dereze"
  local app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Lumbra.exe'
  local uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Imagora Menu'
  local settings='HKCU\Software\Orva Corporation\Orva Dereze\1.0'
  local shortcut=$drive/"ProgramData/Microsoft/Windows/Start Menu/Programs/Imagora Menu.lnk"
  local probe=$build/tests/package/PackageProbe.exe
  local samples
  samples=$(cd "$build/samples/AppInfo" && ls ./*.dll | wc -l)

  probe() {
    "$WINE64" "$probe" "$@" 2>/dev/null | tr -d '\r'
  }
  # setup ARGUMENTS: runs the setup with its command line as a user types it
  # (/D= takes the rest of the line, spaces included, unquoted).
  setup() {
    equals "$(probe run "\"$(wine_path "$setup")\" $*")" "exit=0"
  }
  # Runs the quiet uninstall string; the uninstaller runs on from a copy, so
  # wait until its last step, the removal of its entry, is done.
  uninstall_quietly() {
    local command program
    command=$(reg_value "$uninstall" QuietUninstallString)
    program=${command#\"}
    program=${program%%\"*}
    [ -n "$program" ] && "$WINE64" "$program" ${command##*\" } >/dev/null 2>&1 || return 1
    local _
    for _ in $(seq 1 150); do
      reg_key_missing "$uninstall" && return 0
      sleep 0.2
    done
    return 1
  }

  start_private_xvfb || { failed=$((failed + 1)); return; }
  echo "== fresh Wine prefix for the packages"
  wine_fresh_prefix "$prefix"
  echo "== tests: packages"

  check "a silent setup while the menu runs fails" \
    equals "$(probe run-holding-LumbraMtx "\"$(wine_path "$setup")\" /S")" "exit=2"
  check "  and changes nothing" eval '[ ! -e "$installed" ] && reg_key_missing "$app_paths" && reg_key_missing "$uninstall"'

  check "silent setup with the sample suite" setup /S /SAMPLES
  check "program and resource library in the default folder" \
    eval '[ -f "$installed/Lumbra.exe" ] && [ -f "$installed/Lumbra.dll" ] && [ -f "$installed/Uninstall.exe" ]'
  check "App Paths default value is the program" equals "$(reg_value "$app_paths")" "$folder\\Lumbra.exe"
  check "App Paths Path is its folder" equals "$(reg_value "$app_paths" Path)" "$folder"
  check "Start-menu shortcut starts the program" \
    equals "$(probe shortcut "$(wine_path "$shortcut")")" "target=$folder\\Lumbra.exe"$'\n'"folder=$folder"
  check "uninstall entry: name" equals "$(reg_value "$uninstall" DisplayName)" "Imagora Menu"
  check "uninstall entry: version" equals "$(reg_value "$uninstall" DisplayVersion)" "$VERSION"
  check "uninstall entry: publisher" equals "$(reg_value "$uninstall" Publisher)" "Orva Corporation"
  check "uninstall entry: icon" equals "$(reg_value "$uninstall" DisplayIcon)" "$folder\\Lumbra.exe"
  check "uninstall entry: uninstaller" equals "$(reg_value "$uninstall" UninstallString)" "\"$folder\\Uninstall.exe\""
  check "uninstall entry: quiet uninstaller" \
    equals "$(reg_value "$uninstall" QuietUninstallString)" "\"$folder\\Uninstall.exe\" /S"
  local size
  size=$(reg_value "$uninstall" EstimatedSize)
  check "uninstall entry: size in KB" eval '[ -n "$size" ] && [ $((size)) -ge $(( $(du -sk "$installed" | cut -f1) / 2 )) ]'
  check "shared folders hold the sample suite" \
    eval '[ -d "$suite/MenuSwf" ] && [ "$(ls "$suite/AppInfo" | wc -l)" -eq "$samples" ]'

  check "the installed menu starts and lists the sample suite" \
    equals "$(probe menu "$folder\\Lumbra.exe")" "rows=$samples"

  local updater=$build/package/tested-update
  rm -rf "$updater" && mkdir -p "$updater" && unzip -q "$update_zip" -d "$updater"
  cp "$build/tests/package/OlderLumbra.exe" "$installed/Lumbra.exe"
  check "the update package updates an older 1.7 build" \
    equals "$(probe box "$(wine_path "$updater/Update.exe")")" $'box=Imagora Menu has been updated.\nexit=0'
  check "  and leaves the new program in place" cmp -s "$installed/Lumbra.exe" "$updater/data7.dat"
  check "  which it then finds up to date" \
    equals "$(probe box "$(wine_path "$updater/Update.exe")" | head -n 1)" "box=Update of Imagora Menu is unnecessary."

  check "a second setup over the installed menu" setup /S /SAMPLES
  check "  keeps one registration" equals "$(reg_value "$app_paths")" "$folder\\Lumbra.exe"

  # A suite application's own plug-in and picture, and the user's settings.
  cp "$build/samples/AppInfo/Orva_PhotoViewer_01.dll" "$suite/AppInfo/Orva_OtherApp_01.dll"
  cp "$build/samples/MenuSwf/viewer.png" "$suite/MenuSwf/other.png"
  "$WINE64" reg add "$settings" /v Sort /d 'Orva_OtherApp_01.dll/' /f >/dev/null 2>&1
  check "silent uninstall" uninstall_quietly
  check "  removes the program folder" eval '[ ! -e "$installed" ]'
  check "  removes the shortcut" eval '[ ! -e "$shortcut" ]'
  check "  removes App Paths" reg_key_missing "$app_paths"
  check "  keeps the shared folders and the suite's plug-in" \
    eval '[ -d "$suite/MenuSwf" ] && [ "$(ls "$suite/AppInfo")" = Orva_OtherApp_01.dll ] && [ "$(ls "$suite/MenuSwf")" = other.png ]'
  check "  keeps the user's settings" equals "$(reg_value "$settings" Sort)" "Orva_OtherApp_01.dll/"

  local long='C:\Program Files\Orva Corporation\Imagora Menu in a folder whose name runs long on purpose\Orva Dereze 1.7'
  check "silent setup into a long folder given with /D" setup "/S /D=$long"
  check "  registers that folder" equals "$(reg_value "$app_paths" Path)" "$long"
  check "  where the update package finds the menu up to date" \
    equals "$(probe box "$(wine_path "$updater/Update.exe")" | head -n 1)" "box=Update of Imagora Menu is unnecessary."
  check "  and silent uninstall removes it" \
    eval 'uninstall_quietly && [ ! -e "$program_files/Orva Corporation/Imagora Menu in a folder whose name runs long on purpose/Orva Dereze 1.7" ]'

  wine_stop_server "$prefix"
  stop_private_xvfb
}
