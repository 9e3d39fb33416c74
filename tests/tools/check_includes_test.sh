#!/usr/bin/env bash
# The include check of `make test` passes the tree as it is, refuses an include from a lower layer up
# to a higher one and a window header included by a file that is not part of a window, and names
# them, lets the listed window includes through, and refuses a listed include that is gone.
set -euo pipefail
repo="$1"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
cp -r "$repo/src" "$root/"
check() { "$repo/scripts/check-includes" "$root" 2>&1; }
check >/dev/null || { echo "the tree as it is was refused: $(check)"; exit 1; }

refused() {  # file, header: the include is refused and named
  printf '#include "%s"\n' "$2" >>"$root/$1"
  if out="$(check)"; then echo "$1 including $2 was accepted"; exit 1; fi
  grep -qF "$1 includes $2" <<<"$out" || { echo "the refusal does not name it: $out"; exit 1; }
  sed -i '$d' "$root/$1"
}
refused src/project/redfiles.cpp shell/MDIForm1.h             # project up to the shell
refused src/engine/unidades.cpp engine/frmPp.h                # the engine's computation up to its window
refused src/engine/simulacion.cpp editor/frmUEHs.h            # the engine up to the editor
refused src/platform/vb.h project/estado.h                    # a header of the platform
refused src/engine/proceso.cpp results/resultadosserie.h      # the computation up to the windows' layer
refused src/rainfall/dlgPp.cpp editor/frmUEHs.h               # a window up to one of a higher layer
# A data module, or a plain module of the results, including a window header, even of its own folder.
refused src/rainfall/tormenta.cpp rainfall/dlgPp.h
refused src/reservoirs/tablas.cpp reservoirs/dlgTablaReservorio.h
refused src/project/configuracion.cpp project/frmConfigura.h
refused src/results/graficos.cpp results/dlgChart1.h
refused src/results/pruebasrepresas.cpp engine/frmPp.h
refused src/results/graficos.cpp components/dlgLago.h
refused src/formulas/formulas.cpp formulas/dlgEmpiricas.h
printf '#include "shell/MDIForm1.h"\n' >"$root/src/reservoirs/nuevo.cpp"  # a new file
check >/dev/null && { echo "a new file's upward include was accepted"; exit 1; }
rm "$root/src/reservoirs/nuevo.cpp"

# Downward and same-layer includes pass; a listed include goes through only where it is listed.
printf '#include "project/estado.h"\n#include "rainfall/tormenta.h"\n' >>"$root/src/reservoirs/tablas.cpp"
printf '#include "components/dlgLago.h"\n#include "shell/frmImagenFondo.h"\n' >>"$root/src/results/dlgChart3.cpp"
printf '#include "engine/simulacion.h"\n' >>"$root/src/rainfall/dlgPpReal.cpp"
printf '#include "rainfall/dlgPp.h"\n' >>"$root/src/components/tablasparametros.cpp"
check >/dev/null || { echo "a downward or same-layer include was refused: $(check)"; exit 1; }
refused src/rainfall/tablaspdr.cpp results/dlgChart1.h

# A listed include that is gone is named, so that the list stays true.
sed -i '/results\/dlgChart1.h/d' "$root/src/rainfall/dlgPpReal.cpp"
if out="$(check)"; then echo "a listed include that is gone was not named"; exit 1; fi
grep -qF "src/rainfall/dlgPpReal.cpp no longer includes results/dlgChart1.h" <<<"$out" ||
  { echo "the stale entry is not named: $out"; exit 1; }
