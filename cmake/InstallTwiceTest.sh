#!/usr/bin/env bash
# InstallTwiceTest.sh SOURCE WORK: lays out the settings, data folders and database of an installation
# in WORK twice, as two runs of scripts/run.sh do; what the user has there after the first run (a file in
# each data folder, changed settings, the database, printed files) must come through the second.
set -euo pipefail
src=$1 work=$2
install=$work/MZ3100
rm -rf "$work"
mkdir -p "$work"

instalar() {
  cmake -DSOURCE="$src/windows/MZ3100.ini.in" -DINSTALL="$install" -DPRINTER="$src/harness/imprime-pdf.sh" \
    -P "$src/cmake/InstallSettings.cmake"
  bash "$src/core/schema/create-database.sh" "$install/BancoDados/DATABASE.GDB" "$src/core/schema/DATABASE.sql"
}

falhas=0
falha() {
  echo "FALHA: $*" >&2
  falhas=$((falhas + 1))
}

instalar
pastas=(Exames BancoDados Exemplos Laudos Modulos Mapas "Calibração" Impressos)
for p in "${pastas[@]}"; do
  [ -d "$install/$p" ] || falha "no folder $p after the first run"
  mkdir -p "$install/$p/123"
  echo "$p" > "$install/$p/123/do-usuario.txt"
done
for f in MZ3100.ini BackUp.ini BancoDados/DATABASE.GDB imprime-pdf.sh; do
  [ -s "$install/$f" ] || falha "no $f after the first run"
done
grep -q '^DirectCD=' "$install/BackUp.ini" || falha "BackUp.ini has no DirectCD command"
printf 'AlteradoPeloUsuario=1\r\n' >> "$install/MZ3100.ini"
printf 'AlteradoPeloUsuario=1\r\n' >> "$install/BackUp.ini"
antes=$(cd "$install" && md5sum MZ3100.ini BackUp.ini BancoDados/DATABASE.GDB)

instalar
for p in "${pastas[@]}"; do
  [ "$(cat "$install/$p/123/do-usuario.txt" 2>/dev/null)" = "$p" ] || falha "the file in $p was lost"
done
depois=$(cd "$install" && md5sum MZ3100.ini BackUp.ini BancoDados/DATABASE.GDB)
[ "$antes" = "$depois" ] || falha "settings or database changed: $antes / $depois"
[ $falhas -eq 0 ] && echo "ok"
exit $falhas
