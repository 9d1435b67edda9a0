# Sourced by the release checks: registry exports to compare before and after a step.
# snapshot <key> <file>: the key's export, one value a line with its key, sorted, so that two
# snapshots differ exactly in the values and keys that were added, changed or removed.
snapshot() {
  local raw="$2.raw"
  rm -f "$raw"
  "$wine" reg export "$1" "$raw" /y >/dev/null 2>&1 </dev/null || { : >"$2"; return; }
  # reg export writes UTF-16; keys are "[...]" lines, values follow them.
  iconv -f UTF-16 -t UTF-8 "$raw" | tr -d '\r' | awk '
    /^\[/ { key = $0; print key; next }
    /^$/ { next }
    /^Windows Registry/ { next }
    { print key " " $0 }' | sort >"$2"
  rm -f "$raw"
}
# changes <before> <after>: the lines only one of them has, marked - or +.
changes() {
  diff "$1" "$2" | sed -n 's/^< /- /p; s/^> /+ /p'
}

# Windows shows a user's classes (HKCU\Software\Classes) inside HKEY_CLASSES_ROOT; Wine 8 reads
# only the machine's for creation. show_user_classes <keys...> copies the user's entries of the
# given class keys (relative to Software\Classes) to the machine's, as that merged view would
# show them, and hide_user_classes removes the copies again.
show_user_classes() {
  local key file="$work/merged.reg"
  for key in "$@"; do
    "$wine" reg export "HKCU\\Software\\Classes\\$key" "$file" /y >/dev/null 2>&1 </dev/null || continue
    iconv -f UTF-16 -t UTF-8 "$file" | sed 's/^\[HKEY_CURRENT_USER\\Software\\Classes\\/[HKEY_LOCAL_MACHINE\\Software\\Classes\\/' \
      | iconv -f UTF-8 -t UTF-16 >"$file.machine"
    "$wine" reg import "$file.machine" >/dev/null 2>&1 </dev/null
  done
  rm -f "$file" "$file.machine"
}
hide_user_classes() {
  local key
  for key in "$@"; do
    "$wine" reg delete "HKLM\\Software\\Classes\\$key" /f >/dev/null 2>&1 </dev/null
  done
}

# The keys of Corvane's type library (the library and its two dispinterfaces, in both registry
# views): a per-user type-library registration is the platform's to place, and Wine 8's writes
# them machine-wide. without_library_keys filters them out of a list of changes on stdin.
library_keys='B145199E-AB4F-4744-905C-98B73F11FF70|5F18E6FF-5374-408D-81C6-CDD941E5E968|F089790A-0091-4719-B149-694BC1EBCFF8'
without_library_keys() {
  grep -viE "$library_keys" | grep -v '^$'
}
# The class keys a registration of Corvane writes, relative to Software\Classes.
corvane_classes=('CLSID\{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}' 'CLSID\{066E6EBB-9B8D-48CD-AFC5-3D127BEB5861}'
                 'Wow6432Node\CLSID\{23C39A2B-5A17-40F1-A8EE-AA0191EBF607}'
                 'Wow6432Node\CLSID\{066E6EBB-9B8D-48CD-AFC5-3D127BEB5861}' Corvane.CorvaneCtrl.1)
