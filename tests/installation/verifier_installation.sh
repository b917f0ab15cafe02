#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what the desktop needs is there:
# both programs, the desktop entry (accepted by desktop-file-validate), the icon, the MIME type.
# Usage: verifier_installation.sh <build directory> <built programs...>
set -uo pipefail

construction=${1:?usage: verifier_installation.sh <build directory> <built programs...>}
shift
echec() {
    echo "ÉCHEC de l'installation : $*" >&2
    exit 1
}

command -v desktop-file-validate >/dev/null ||
    echec "desktop-file-validate est introuvable (paquet desktop-file-utils)"
for programme in "$@"; do
    [ -x "$programme" ] ||
        echec "$programme n'est pas construit : construire d'abord tout le projet"
done

prefixe=$(mktemp -d "${TMPDIR:-/tmp}/varlem-installation.XXXXXX") || echec "mktemp"
trap 'rm -rf "$prefixe"' EXIT

journal=$prefixe/journal.txt
cmake --install "$construction" --prefix "$prefixe/usr" >"$journal" 2>&1 || {
    cat "$journal" >&2
    echec "cmake --install a échoué"
}

racine=$prefixe/usr
attendus=(
    bin/varlem
    bin/varlem-calc
    share/applications/varlem.desktop
    share/icons/hicolor/scalable/apps/varlem.svg
    share/mime/packages/varlem-fdt.xml
)
for f in "${attendus[@]}"; do
    [ -f "$racine/$f" ] || echec "$f manque sous le préfixe"
done
for f in bin/varlem bin/varlem-calc; do
    [ -x "$racine/$f" ] || echec "$f n'est pas exécutable"
done

desktop-file-validate "$racine/share/applications/varlem.desktop" ||
    echec "desktop-file-validate refuse share/applications/varlem.desktop"
grep -q '^Icon=varlem$' "$racine/share/applications/varlem.desktop" ||
    echec "l'entrée de bureau ne nomme pas l'icône varlem"
grep -q 'MimeType=application/x-varlem-fdt;' "$racine/share/applications/varlem.desktop" ||
    echec "l'entrée de bureau n'ouvre pas application/x-varlem-fdt"
grep -q '<svg' "$racine/share/icons/hicolor/scalable/apps/varlem.svg" ||
    echec "l'icône n'est pas un dessin SVG"
mime=$racine/share/mime/packages/varlem-fdt.xml
grep -q 'type="application/x-varlem-fdt"' "$mime" && grep -q 'pattern="\*\.fdt"' "$mime" ||
    echec "le type MIME ne déclare pas application/x-varlem-fdt pour *.fdt"

echo "Installation vérifiée : ${#attendus[@]} fichiers sous $racine, entrée de bureau valide"
