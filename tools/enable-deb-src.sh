#!/usr/bin/env bash
# Makes sure apt knows a source-package ("deb-src") entry, so that
# `apt-get source` works. When there is none, writes one file of its own,
# derived from the machine's existing binary ("deb") entries: same URIs,
# suites, components and signing keys. Nothing about the archive is baked
# in here, so the file always points where this machine's apt points.
#
#   tools/enable-deb-src.sh [--etc DIR] [--out FILE] [--codename NAME]
#
# Prints the file written, "present" if deb-src was already enabled, and
# fails when nothing usable was found. --etc lets it be tried on a copy of
# /etc/apt.
set -euo pipefail

etc=/etc/apt
out=""
codename=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --etc) etc="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --codename) codename="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
out="${out:-$etc/sources.list.d/mnemora-deb-src.sources}"
if [[ -z "$codename" && -r /etc/os-release ]]; then
  codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
fi

# apt reads sources.list plus *.list and *.sources in sources.list.d.
shopt -s nullglob
one_line=()
[[ -f "$etc/sources.list" ]] && one_line+=("$etc/sources.list")
one_line+=("$etc"/sources.list.d/*.list)
deb822=("$etc"/sources.list.d/*.sources)
# Our own earlier output does not count as a source to copy from.
deb822_inputs=()
for f in "${deb822[@]}"; do
  [[ "$f" -ef "$out" ]] || deb822_inputs+=("$f")
done

if grep -qsE '^[[:space:]]*deb-src[[:space:]]' "${one_line[@]}" /dev/null ||
  awk '/^[Tt]ypes:.*deb-src/{f=1} END{exit !f}' "${deb822[@]}" /dev/null; then
  echo present
  exit 0
fi

# Both formats are turned into deb822 stanzas. Entries are kept when one
# of their suites is this release (codename or codename-*), so third-party
# repositories without source packages are left out; if no entry names the
# release, all are kept.
stanzas="$(
  {
    # One-line format: deb [opts] URI SUITE COMPONENTS...
    for f in "${one_line[@]}"; do
      awk '
        /^[[:space:]]*deb[[:space:]]/ {
          sub(/#.*/, "")
          signed = ""
          line = $0
          if (match(line, /\[[^]]*\]/)) {
            opts = substr(line, RSTART + 1, RLENGTH - 2)
            line = substr(line, 1, RSTART - 1) substr(line, RSTART + RLENGTH)
            n = split(opts, o, /[[:space:]]+/)
            for (i = 1; i <= n; i++)
              if (o[i] ~ /^signed-by=/) signed = substr(o[i], 11)
          }
          n = split(line, w, /[[:space:]]+/)
          k = 0
          for (i = 1; i <= n; i++) if (w[i] != "") v[++k] = w[i]
          if (k < 3) next
          comps = ""
          for (i = 4; i <= k; i++) comps = comps (i > 4 ? " " : "") v[i]
          printf "URIs: %s\nSuites: %s\n", v[2], v[3]
          if (comps != "") printf "Components: %s\n", comps
          if (signed != "") printf "Signed-By: %s\n", signed
          printf "\n"
        }' "$f"
    done
    # deb822 format: copy the fields that locate the archive and its key;
    # continuation lines (leading blank) belong to the field before them.
    for f in "${deb822_inputs[@]}"; do
      awk '
        function flush() {
          if (types ~ /(^|[[:space:]])deb([[:space:]]|$)/ && enabled !~ /^[[:space:]]*no/ && body != "")
            printf "%s\n", body
          types = ""; enabled = ""; body = ""; field = ""
        }
        /^#/ { next }
        /^[[:space:]]*$/ { flush(); next }
        /^[[:space:]]/ { if (keep) body = body $0 "\n"; next }
        {
          field = tolower(substr($0, 1, index($0, ":") - 1))
          value = substr($0, index($0, ":") + 1)
          keep = 0
          if (field == "types") types = value
          else if (field == "enabled") enabled = value
          else if (field == "uris" || field == "suites" || field == "components" || field == "signed-by") {
            keep = 1
            body = body $0 "\n"
          }
        }
        END { flush() }' "$f"
    done
  } | awk -v code="$codename" '
    # Stanzas arrive separated by blank lines; pick those of this release.
    BEGIN { RS = ""; ORS = "\n\n" }
    {
      all[++n] = $0
      if (code != "" && match($0, /(^|\n)Suites:[^\n]*/)) {
        s = substr($0, RSTART, RLENGTH)
        sub(/^\n?Suites:/, "", s)
        m = split(s, w, /[[:space:]]+/)
        for (i = 1; i <= m; i++)
          if (w[i] == code || index(w[i], code "-") == 1) { mine[n] = 1; any = 1 }
      }
    }
    END {
      for (i = 1; i <= n; i++)
        if (!any || mine[i]) print "Types: deb-src\n" all[i]
    }'
)"

if [[ -z "$stanzas" ]]; then
  echo "no apt 'deb' entries found under $etc to derive a deb-src entry from" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
{
  echo "# Source packages, derived from this machine's binary package entries"
  echo "# by the project's set-up script (needed for apt-get source)."
  echo
  printf '%s\n' "$stanzas"
} >"$out"
echo "$out"
