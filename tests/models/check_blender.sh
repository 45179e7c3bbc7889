#!/bin/sh
# make test-blender: Blender's own importers, in the background, open the GLB and the OBJ of a wireframe
# 5-cube and of a 4-cube with faces and find the expected objects and size (blender_import.py).
# Usage: check_blender.sh TESSARY OUTPUT_FOLDER
set -eu
tessary=$1
out=$2
here=$(dirname "$0")
mkdir -p "$out"
models=""
for view in turned-5w orbited-4f aligned-4f; do
    text=$(cd "$here" && python3 -c "import model_views; print([v['text'] for v in model_views.views() if v['name'] == '$view'][0])")
    case $view in *f) faces=1 ;; *) faces=0 ;; esac
    for kind in glb obj; do
        SDL_VIDEODRIVER=offscreen "$tessary" --render "$out/$view.$kind" --size 80 --view "$text"
        models="$models $out/$view.$kind,80,$faces"
    done
done
log="$out/blender.log"
# shellcheck disable=SC2086 # one argument per model
if ! blender --background --factory-startup --python-exit-code 1 --python "$here/blender_import.py" -- $models \
    >"$log" 2>&1; then
    grep -E '^(FAIL|/)|Error' "$log"
    echo "Blender could not import every model ($log)"
    exit 1
fi
grep -E '^/' "$log"
echo "Blender imported every model"
