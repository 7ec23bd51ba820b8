#!/usr/bin/env bash
# Makes the album-source fixtures with independent tools, and what those tools
# say about them, into OUTDIR:
#   cdtext/*.v07t, *.cdt   CD-Text sheets and the packs libburn (cdrskin's
#                          library) makes of them, as a drive answers READ TOC
#                          format 5
#   discids.txt            tables of contents with libdiscid's disc ids
#   mp3/*.mp3              files made by lame (sources by sox), at MPEG-1, 2
#                          and 2.5, CBR and VBR, with and without tags
#   mp3/expected.txt       name|ffprobe seconds|mp3info seconds|TPE1|TIT2
#                          (the tags as id3v2 -l lists them)
#   make_fixtures.sh OUTDIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
mkdir -p "$out/cdtext" "$out/mp3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- CD-Text ---------------------------------------------------------------
cc -O1 -o "$work/make_cdtext_packs" "$here/make_cdtext_packs.c" -lburn

sheet() {  # name, then "key = value" lines after the common head
  local name=$1; shift
  {
    echo "Input Sheet Version = 0.7T"
    echo "Text Code = 8859"
    echo "Language Code = English"
    printf '%s\n' "$@"
  } >"$out/cdtext/$name.v07t"
}
# Track 3 repeats track 2's performer: the packs say so with a single TAB.
sheet album \
  "Album Title = A Fifteen Chars" "Artist Name = The Album Band" "Album Message = Recorded live" \
  "First Track Number = 1" "Last Track Number = 4" \
  "Track 01 Title = Opening" "Track 01 Artist = The Album Band" \
  "Track 02 Title = Second Song With A Much Longer Title Than Twelve Bytes" "Track 02 Artist = Guest Singer" \
  "Track 03 Title = Third" "Track 03 Artist = Guest Singer" \
  "Track 04 Title = Closing" "Track 04 Artist = The Album Band"
sheet onetrack \
  "Album Title = Single" "Artist Name = Solo" \
  "First Track Number = 1" "Last Track Number = 1" \
  "Track 01 Title = Only Track" "Track 01 Artist = Solo"
# Titles of 160 characters: several packs each, and more packs than one block of texts.
long_title=$(printf 'Long%.0s' $(seq 40))
args=("Album Title = $long_title" "Artist Name = Many" "First Track Number = 1" "Last Track Number = 12")
for i in $(seq -w 1 12); do
  args+=("Track $i Title = $i $long_title" "Track $i Artist = Performer $i")
done
sheet long "${args[@]}"
for sheet_file in "$out"/cdtext/*.v07t; do
  tracks=$(sed -n 's/^Last Track Number = //p' "$sheet_file")
  "$work/make_cdtext_packs" "$sheet_file" "$tracks" "${sheet_file%.v07t}.cdt"
done

# --- disc ids ----------------------------------------------------------------
python3 "$here/discid_table.py" "$out/discids.txt"

# --- MP3 ---------------------------------------------------------------------
mp3=$out/mp3
# Twenty-one seconds of a tone with noise, so VBR frames differ in size.
sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 21 sine 440 synth 21 whitenoise amod 0.3 2>/dev/null
sox -n -r 44100 -c 1 -b 16 "$work/mono.wav" synth 13 sine 660 2>/dev/null
encode() {  # name, lame options..., source last
  local name=$1; shift
  lame --quiet "$@" "$mp3/$name.mp3"
}
encode mpeg1_cbr128 -b 128 "$work/tone.wav"
encode mpeg1_vbr -V 4 "$work/tone.wav"
encode mpeg1_cbr64_mono -m m -b 64 "$work/mono.wav"
encode mpeg2_cbr64 -b 64 --resample 22.05 "$work/tone.wav"
encode mpeg2_vbr -V 5 --resample 24 "$work/tone.wav"
encode mpeg25_cbr32 -b 32 --resample 11.025 "$work/tone.wav"
encode mpeg25_vbr -V 6 --resample 12 "$work/tone.wav"
encode mpeg25_cbr8_mono -m m -b 8 --resample 8 "$work/mono.wav"
encode mpeg1_cbr_tags -b 160 --add-id3v2 --ta "Tag Artist" --tt "Tag Title" --tl "Tag Album" "$work/tone.wav"
encode mpeg2_vbr_v1only -V 5 --resample 16 --id3v1-only --ta "Old Artist" --tt "Old Title" "$work/tone.wav"
encode mpeg1_title_only -b 96 --id3v2-only --tt "Only A Title" "$work/mono.wav"
# A tag holding a large picture (far more than the first 100000 bytes) and an
# ID3v1 tag at the end.
convert -size 700x700 xc:gray +noise Random -quality 95 "$work/cover.jpg"
ffmpeg -loglevel error -y -i "$mp3/mpeg1_vbr.mp3" -i "$work/cover.jpg" -map 0:a -map 1:v -c copy \
  -id3v2_version 3 -write_id3v1 1 -metadata artist="Picture Artist" -metadata title="Picture Title" \
  "$mp3/mpeg1_vbr_picture.mp3"
ffmpeg -loglevel error -y -i "$mp3/mpeg2_cbr64.mp3" -i "$work/cover.jpg" -map 0:a -map 1:v -c copy \
  -id3v2_version 4 -write_id3v1 1 -write_xing 0 -metadata artist="Big Tag" -metadata title="CBR" \
  "$mp3/mpeg2_cbr_picture.mp3"

tag_text() {  # file, frame id, ID3v1 field: the text as id3v2 -l lists it (ID3v2 first)
  local listing text
  listing=$(id3v2 -l "$1")
  text=$(sed -n "s/^$2 (.*): //p" <<<"$listing" | head -n 1)
  if [ -z "$text" ]; then
    text=$(sed -n "s/.*$3 *: \(.*\)/\1/p" <<<"$listing" | head -n 1 | sed 's/ \{2,\}.*//; s/ *$//')
  fi
  echo "$text"
}
: >"$mp3/expected.txt"
for file in "$mp3"/*.mp3; do
  name=$(basename "$file")
  probe=$(ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$file")
  info=$(mp3info -F -p '%S' "$file" 2>/dev/null || true)
  echo "$name|$probe|${info:--}|$(tag_text "$file" TPE1 Artist)|$(tag_text "$file" TIT2 Title)" >>"$mp3/expected.txt"
done
