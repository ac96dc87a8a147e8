# Converts every corpus file on its own with two builds of kar2mid, the Linux
# one and the Windows one under Wine, and compares what they write and say.
# OPTION... (a lyric style, say) are given to both.
# Usage: . scripts/lib/corpus-compare.sh
#        compare_corpus CORPUS LINUX_KAR2MID WINDOWS_KAR2MID_EXE WORK_FOLDER [OPTION...]
#        compare_named_copies CORPUS LINUX_KAR2MID WINDOWS_KAR2MID_EXE WORK_FOLDER

# What one run said, with the source path and the output folder (and the
# separator after it) replaced by placeholders and Windows line ends undone.
normalised_messages() {
    local log=$1 source=$2 outputFolder=$3
    local text
    text=$(tr -d '\r' <"$log")
    text=${text//"$source"/SOURCE}
    printf '%s\n' "${text//"$outputFolder"/OUTPUT/}"
}

# Runs both builds on one file, given relative to the corpus, each writing
# into its own copy of the file's folder; fails when their exit status or
# messages differ. Reads compare_corpus's paths (linux, windows, corpus, work
# and their Windows spellings wcorpus, wwork, and its options) and counts into
# its counters.
convert_with_both() {
    local relative=$1 folder=${1%/*}
    local source="$corpus/$relative" wsource="$wcorpus\\${relative//\//\\}"
    local output="$work/linux/$folder" woutput="$wwork\\windows\\${folder//\//\\}"
    local lstatus=0 wstatus=0
    mkdir -p "$output" "$work/windows/$folder"
    "$linux" "${options[@]}" --output-dir "$output" "$source" </dev/null >"$work/log/linux" 2>&1 ||
        lstatus=$?
    wine "$windows" "${options[@]}" --output-dir "$woutput" "$wsource" </dev/null >"$work/log/windows" 2>&1 ||
        wstatus=$?
    [ "$lstatus" -eq 0 ] && linuxConverted=$((linuxConverted + 1))
    [ "$wstatus" -eq 0 ] && windowsConverted=$((windowsConverted + 1))

    local lsaid wsaid
    lsaid=$(normalised_messages "$work/log/linux" "$source" "$output/")
    wsaid=$(normalised_messages "$work/log/windows" "$wsource" "$woutput\\")
    if [ "$lstatus" -ne "$wstatus" ] || [ "$lsaid" != "$wsaid" ]; then
        echo "DIFFERENT RUN: $relative"
        echo "  linux (exit $lstatus):   ${lsaid//$'\n'/ | }"
        echo "  windows (exit $wstatus): ${wsaid//$'\n'/ | }"
        return 1
    fi
}

# Fails when an output exists on one side only or differs in any byte.
# Counts into compare_corpus's outputsCompared.
compare_outputs() {
    local work=$1 differences=0 file
    diff <(cd "$work/linux" && find . -type f | sort) <(cd "$work/windows" && find . -type f | sort) \
        >"$work/log/listing" || {
        echo "DIFFERENT OUTPUT FILES (< linux, > windows):"
        sed -n 's/^[<>]/  &/p' "$work/log/listing"
        differences=1
    }
    while IFS= read -r file; do
        [ -f "$work/windows/$file" ] || continue
        outputsCompared=$((outputsCompared + 1))
        cmp -s "$work/linux/$file" "$work/windows/$file" || {
            echo "DIFFERENT BYTES: $file ($(cmp "$work/linux/$file" "$work/windows/$file" 2>&1 | sed 's/.*differ: //'))"
            differences=1
        }
    done < <(cd "$work/linux" && find . -type f | sort)
    return "$differences"
}

compare_corpus() {
    local corpus linux=$2 windows=$3 work=$4 wcorpus wwork relative
    local options=("${@:5}")
    [ -d "$1" ] || { echo "No corpus at $1" >&2; return 1; }
    corpus=$(cd "$1" && pwd)
    rm -rf "$work"
    mkdir -p "$work/log"
    wcorpus=$(winepath -w "$corpus")
    wwork=$(winepath -w "$(cd "$work" && pwd)")

    local files=0 runDifferences=0 linuxConverted=0 windowsConverted=0 outputsCompared=0
    # Every file in the corpus's folders; the notes at its top are not songs.
    while IFS= read -r relative; do
        files=$((files + 1))
        convert_with_both "$relative" || runDifferences=$((runDifferences + 1))
    done < <(cd "$corpus" && find . -mindepth 2 -type f | sed 's|^\./||' | LC_ALL=C sort)
    local outputStatus=0
    compare_outputs "$work" || outputStatus=1

    echo "Corpus: $files files, each converted on its own${options[*]:+ with ${options[*]}}."
    echo "  Linux kar2mid converted $linuxConverted, Windows kar2mid.exe under Wine converted $windowsConverted."
    echo "  Runs with different exit status or messages: $runDifferences."
    echo "  Outputs compared byte for byte: $outputsCompared, $([ "$outputStatus" -eq 0 ] && echo "all identical" || echo "NOT all identical")."
    [ "$files" -gt 0 ] && [ "$runDifferences" -eq 0 ] && [ "$outputStatus" -eq 0 ]
}

# Folders and files named in five writings, none of them but the accented
# one in Windows' Western code page; each holds a copy of a corpus file.
named_copies=(
    "Песни/Лето.kar"
    "日本の歌/夏の歌.kar"
    "เพลง/รัก.kar"
    "Canción/Señorita.kar"
    "🎤 Live/Tiếng Việt.kar"
)

# What a run said with its source and output folders replaced by
# placeholders, Windows' separators and line ends undone.
normalised_walk() {
    local log=$1 source=$2 outputFolder=$3
    normalised_messages "$log" "$source" "$outputFolder" | tr '\\' /
}

# Copies a few corpus files under those names into WORK_FOLDER/named/source,
# lists and converts the tree with both builds (the Windows one also with
# one such name on its command line) and compares what they said and wrote.
compare_named_copies() {
    local corpus linux=$2 windows=$3 work source wsource i differences=0
    corpus=$(cd "$1" && pwd)
    mkdir -p "$4"
    work="$(cd "$4" && pwd)/named"
    rm -rf "$work"
    mkdir -p "$work/source" "$work/log"
    local originals
    mapfile -t originals < <(cd "$corpus" && find kar -type f -name '*.kar' | LC_ALL=C sort | head -n "${#named_copies[@]}")
    for i in "${!named_copies[@]}"; do
        mkdir -p "$work/source/$(dirname "${named_copies[$i]}")"
        cp "$corpus/${originals[$i]}" "$work/source/${named_copies[$i]}"
    done
    source="$work/source"
    wsource=$(winepath -w "$source")
    local run wout
    for run in list convert single; do
        [ "$run" = list ] || mkdir -p "$work/$run-linux" "$work/$run-windows"
        wout=$(winepath -w "$work/$run-windows")
        local largs wargs lstatus=0 wstatus=0
        case $run in
        list) largs=(--list --recursive "$source"); wargs=(--list --recursive "$wsource") ;;
        convert) largs=(--recursive -o "$work/$run-linux" "$source"); wargs=(--recursive -o "$wout" "$wsource") ;;
        single) largs=(-o "$work/$run-linux" "$source/${named_copies[1]}")
            wargs=(-o "$wout" "$wsource\\${named_copies[1]//\//\\}") ;;
        esac
        "$linux" "${largs[@]}" </dev/null >"$work/log/linux" 2>&1 || lstatus=$?
        wine "$windows" "${wargs[@]}" </dev/null >"$work/log/windows" 2>&1 || wstatus=$?
        local lsaid wsaid
        lsaid=$(normalised_walk "$work/log/linux" "$source" "$work/$run-linux/")
        wsaid=$(normalised_walk "$work/log/windows" "$wsource" "$wout\\")
        if [ "$lstatus" -ne 0 ] || [ "$lstatus" -ne "$wstatus" ] || [ "$lsaid" != "$wsaid" ]; then
            echo "DIFFERENT RUN ($run) of the named copies"
            echo "  linux (exit $lstatus):   ${lsaid//$'\n'/ | }"
            echo "  windows (exit $wstatus): ${wsaid//$'\n'/ | }"
            differences=1
        fi
    done
    local outputs=0 file
    for run in convert single; do
        diff <(cd "$work/$run-linux" && find . -type f | LC_ALL=C sort) \
            <(cd "$work/$run-windows" && find . -type f | LC_ALL=C sort) >/dev/null || {
            echo "DIFFERENT OUTPUT FILES ($run) of the named copies"
            differences=1
        }
        while IFS= read -r file; do
            outputs=$((outputs + 1))
            cmp -s "$work/$run-linux/$file" "$work/$run-windows/$file" || {
                echo "DIFFERENT BYTES ($run): $file"
                differences=1
            }
        done < <(cd "$work/$run-linux" && find . -type f | LC_ALL=C sort)
    done
    echo "Named copies: ${#named_copies[@]} corpus files in folders named in Cyrillic, Japanese, Thai,"
    echo "  with accents and with an emoji; listed, converted, and one named on the command line:"
    echo "  $outputs outputs compared byte for byte, $([ "$differences" -eq 0 ] && echo "all identical, and the same lines from both" || echo "NOT all the same")."
    [ "$outputs" -eq $((${#named_copies[@]} + 1)) ] && [ "$differences" -eq 0 ]
}
