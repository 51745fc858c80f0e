#!/usr/bin/env bash
# Builds one MSI package of the Windows programs with wixl, from packaging/windows/tx3_setup.wxs.
# Usage: packaging/windows/make-msi.sh RELEASE_ENV PROGRAMS_FOLDER OUTPUT.msi
#   RELEASE_ENV      tx3_release.env of a Windows build folder (written by CMake: architecture,
#                    versions, upgrade code, icon file)
#   PROGRAMS_FOLDER  the folder holding the tx3_setup.exe and tx3_setup.com to package
# The variables of RELEASE_ENV already set in the environment win (the tests make an older
# package so: TX3_MSI_VERSION=... TX3_MSI_PRODUCT_CODE=...).
# Each run makes a package with a product code of its own (unless TX3_MSI_PRODUCT_CODE names one),
# so that a rebuild of a version installs over the one already there: see tx3_setup.wxs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
release_env=$1 programs=$2 output=$3

while IFS='=' read -r name value; do
  [[ $name =~ ^TX3_[A-Z0-9_]+$ ]] || continue
  [ -n "${!name:-}" ] || declare "$name=$value"
done <"$release_env"

[ -n "${TX3_MSI_PRODUCT_CODE:-}" ] ||
  TX3_MSI_PRODUCT_CODE=$(python3 -c 'import uuid; print(str(uuid.uuid4()).upper())')

# The vendor folder's and the registry record's components have no file to derive their codes
# from: fixed codes for each architecture (Program Files folder, registry view).
if [ "$TX3_ARCH" = x64 ]; then
  platform=(-D Win64=yes -D ProgramFilesFolder=ProgramFiles64Folder
    -D VendorFolderGuid=DB0545C0-4882-4A45-A995-573086F6D5D6
    -D InstallRecordGuid=1C58E2B7-B7FF-40A9-A316-CBBECCB21F1D)
else
  platform=(-D Win64=no -D ProgramFilesFolder=ProgramFilesFolder
    -D VendorFolderGuid=26267170-AC31-463B-9376-26B250039141
    -D InstallRecordGuid=1679ED1B-FE5C-48BC-BD03-42B55AA53A6C)
fi

# wixl takes the files named in the source from the source's own folder.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$here/tx3_setup.wxs" "$programs/tx3_setup.exe" "$programs/tx3_setup.com" "$stage/"
cp "$TX3_ICON_FILE" "$stage/tx3_setup.ico"
# The version just above this one, for the upgrade table (see tx3_setup.wxs).
IFS=. read -r major minor build <<<"$TX3_MSI_VERSION"
next_version=$major.$minor.$((build + 1))
# A failed run must not leave a package that looks finished.
rm -f "$output"
wixl --arch "$TX3_ARCH" "${platform[@]}" \
  -D Version="$TX3_MSI_VERSION" -D NextVersion="$next_version" -D VersionText="$TX3_VERSION_TEXT" \
  -D ProductCode="$TX3_MSI_PRODUCT_CODE" -D UpgradeCode="$TX3_MSI_UPGRADE_CODE" \
  -o "$output.new" "$stage/tx3_setup.wxs"
mv "$output.new" "$output"
