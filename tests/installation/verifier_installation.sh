#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what the desktop needs is there:
# both programs (answering --help and --version without a display), their manual pages, the
# desktop entry (accepted by desktop-file-validate), the software centres' description
# (accepted by appstreamcli), the icon, the MIME type; then that the Debian package holds them.
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
command -v appstreamcli >/dev/null || echec "appstreamcli est introuvable (paquet appstream)"
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
    share/metainfo/org.example.varlem.metainfo.xml
    share/man/man1/varlem.1.gz
    share/man/man1/varlem-calc.1.gz
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

appstreamcli validate --no-net "$racine/share/metainfo/org.example.varlem.metainfo.xml" ||
    echec "appstreamcli refuse share/metainfo/org.example.varlem.metainfo.xml"
for page in varlem varlem-calc; do
    gzip -dc "$racine/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 " ||
        echec "la page de manuel de $page n'a pas d'en-tête .TH"
done

# --help and --version answer in French and leave with status 0, without any display.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$construction/CMakeCache.txt")
sortie=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$racine/bin/varlem" --version) ||
    echec "varlem --version ne finit pas par le code 0"
[ "$sortie" = "Varlem $version" ] || echec "varlem --version écrit « $sortie »"
sortie=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$racine/bin/varlem" --help) ||
    echec "varlem --help ne finit pas par le code 0"
grep -q "^Usage : varlem \[FICHIER.fdt\]" <<<"$sortie" || echec "varlem --help écrit « $sortie »"

# The Debian package holds the same files.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
    cpack -G DEB --config "$construction/CPackConfig.cmake" -B "$prefixe/paquet" \
        >"$journal" 2>&1 || {
        cat "$journal" >&2
        echec "cpack -G DEB a échoué"
    }
    paquet=$(find "$prefixe/paquet" -maxdepth 1 -name '*.deb' | head -n 1)
    [ -n "$paquet" ] || echec "cpack n'a produit aucun paquet .deb"
    contenu=$(dpkg-deb -c "$paquet")
    for f in "${attendus[@]}"; do
        grep -q " \./usr/$f\$" <<<"$contenu" || echec "$f manque dans le paquet"
    done
fi

echo "Installation vérifiée : ${#attendus[@]} fichiers sous $racine et dans le paquet, entrée de bureau et description valides"
