#!/usr/bin/env python3
"""Writes what package managers need to install one release, from the files scripts/package.sh built:
  scripts/manifests.py path/to/tellurane_version.h DIST
Reads the version and the copyright year from the header CMake generates, hashes
DIST/Tellurane-<version>-setup.exe and DIST/Tellurane-<version>-portable.zip, and writes
  DIST/winget/Marrowick.Tellurane{,.locale.en-US,.installer}.yaml   winget's three manifests
  DIST/scoop/tellurane.json                                         a Scoop app manifest
  DIST/SHA256SUMS                                                   the sums of all of them
The addresses the files are downloaded from come from TELLURANE_RELEASE_URL: the folder of one
release's files, with {version} where the version goes (DEFAULT_RELEASE_URL when unset), so a release
needs no hand edits. TELLURANE_HOMEPAGE overrides the home page, else taken from that address.
The same files give the same bytes: no dates, keys in one order, LF endings.
"""
import hashlib
import json
import os
import re
import sys
from pathlib import Path

DEFAULT_RELEASE_URL = "https://github.com/marrowick/tellurane/releases/download/v{version}"
PACKAGE_ID = "Marrowick.Tellurane"
MANIFEST_VERSION = "1.10.0"
LOCALE = "en-US"
PUBLISHER = "Marrowick"
NAME = "Tellurane"
# The name of the uninstall key installer/tellurane.nsi writes: winget finds the installed setup by it.
UNINSTALL_KEY = "Tellurane"
# No licence file ships: free to use, not open source.
LICENSE = "Freeware"
SHORT_DESCRIPTION = "Desktop clock with time zones, alarms, chimes and skins"
DESCRIPTION = ("A small clock for the Windows desktop, with more clocks in their own time zones, alarms and "
               "countdowns, a chime on the hour, skins, and 40 languages in one executable.")
TAGS = ["alarm", "clock", "countdown", "time-zone", "world-clock"]
# Beside the program in the zip: it then keeps its settings there. Scoop keeps it across updates.
PORTABLE_SETTINGS = "Tellurane.ini"


def release_template():
    template = os.environ.get("TELLURANE_RELEASE_URL") or DEFAULT_RELEASE_URL
    if "{version}" not in template or not re.match(r"https://[^/]+/", template + "/"):
        sys.exit(f"TELLURANE_RELEASE_URL must be an https address with {{version}} in it: {template}")
    return template.rstrip("/")


def homepage(template):
    if os.environ.get("TELLURANE_HOMEPAGE"):
        return os.environ["TELLURANE_HOMEPAGE"]
    github = re.match(r"(https://github\.com/[^/]+/[^/]+)/releases/", template)
    return github.group(1) if github else re.match(r"https://[^/]+", template).group(0)


def file_names(version):
    return f"Tellurane-{version}-setup.exe", f"Tellurane-{version}-portable.zip"


def sha256(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


# A scalar stays plain only where YAML cannot read it as anything but this text; else it is quoted.
PLAIN = re.compile(r"[A-Za-z/](?:[A-Za-z0-9._/\\()+,=<>~-]|:(?! |$)| (?!#|$))*")
NOT_TEXT = {"y", "n", "yes", "no", "on", "off", "true", "false", "null"}


def scalar(value):
    if isinstance(value, int):
        return str(value)
    if PLAIN.fullmatch(value) and value.lower() not in NOT_TEXT:
        return value
    return json.dumps(value)


def yaml_lines(node, indent=""):
    lines = []
    for key, value in node.items():
        if isinstance(value, dict):
            lines += [f"{indent}{key}:"] + yaml_lines(value, indent + "  ")
        elif isinstance(value, list):
            lines.append(f"{indent}{key}:")
            for item in value:
                if isinstance(item, dict):
                    block = yaml_lines(item, indent + "  ")
                    lines += [indent + "- " + block[0][len(indent) + 2:]] + block[1:]
                else:
                    lines.append(f"{indent}- {scalar(item)}")
        else:
            lines.append(f"{indent}{key}: {scalar(value)}")
    return lines


def winget_file(kind, body):
    head = ["# Written by scripts/package.sh for this release: make a new release rather than edit it.",
            f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json",
            ""]
    tail = {"ManifestType": kind, "ManifestVersion": MANIFEST_VERSION}
    return "\n".join(head + yaml_lines({**body, **tail})) + "\n"


def winget_manifests(version, year, folder, home, hashes):
    setup, portable = file_names(version)
    package = {"PackageIdentifier": PACKAGE_ID, "PackageVersion": version}
    installers = [{
        "Architecture": "x86",
        "InstallerType": "nullsoft",
        "Scope": "user",
        "InstallerUrl": f"{folder}/{setup}",
        "InstallerSha256": hashes[setup].upper(),
        # NSIS takes /D= last and unquoted, even with spaces; winget puts InstallLocation last.
        "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S", "InstallLocation": "/D=<INSTALLPATH>"},
        # The setup's exit code when a running clock would not close: nothing was changed.
        "ExpectedReturnCodes": [{"InstallerReturnCode": 3, "ReturnResponse": "packageInUse"}],
        "UpgradeBehavior": "install",
        "ProductCode": UNINSTALL_KEY,
        "AppsAndFeaturesEntries": [{"DisplayName": NAME, "Publisher": PUBLISHER, "DisplayVersion": version,
                                    "ProductCode": UNINSTALL_KEY}],
    }, {
        "Architecture": "x86",
        "InstallerType": "zip",
        "NestedInstallerType": "portable",
        "NestedInstallerFiles": [{"RelativeFilePath": "Tellurane\\Tellurane.exe", "PortableCommandAlias": "tellurane"}],
        "InstallerUrl": f"{folder}/{portable}",
        "InstallerSha256": hashes[portable].upper(),
    }]
    locale = {
        "PackageLocale": LOCALE, "Publisher": PUBLISHER, "PackageName": NAME, "PackageUrl": home,
        "License": LICENSE, "Copyright": f"Copyright (C) {year} {PUBLISHER}", "ShortDescription": SHORT_DESCRIPTION,
        "Description": DESCRIPTION, "Moniker": "tellurane", "Tags": TAGS,
    }
    return {
        f"{PACKAGE_ID}.yaml": winget_file("version", {**package, "DefaultLocale": LOCALE}),
        f"{PACKAGE_ID}.locale.{LOCALE}.yaml": winget_file("defaultLocale", {**package, **locale}),
        f"{PACKAGE_ID}.installer.yaml": winget_file("installer", {**package, "Installers": installers}),
    }


def scoop_manifest(version, template, hashes):
    portable = file_names(version)[1]
    home = homepage(template)
    github = re.fullmatch(r"https://github\.com/[^/]+/[^/]+", home)
    checkver = {"github": home} if github else {"url": home, "regex": r"Tellurane-([\d.]+)-portable\.zip"}
    manifest = {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": home,
        "license": LICENSE,
        "url": f"{template.replace('{version}', version)}/{portable}",
        "hash": hashes[portable],
        "extract_dir": "Tellurane",
        "bin": [["Tellurane.exe", "tellurane"]],
        "shortcuts": [["Tellurane.exe", NAME]],
        "persist": PORTABLE_SETTINGS,
        "checkver": checkver,
        "autoupdate": {
            "url": f"{template.replace('{version}', '$version')}/Tellurane-$version-portable.zip",
            "hash": {"url": "$baseurl/SHA256SUMS"},
        },
    }
    return json.dumps(manifest, indent=4) + "\n"


def main(header, dist):
    text = Path(header).read_text()
    define = lambda name: re.search(rf'^#define {name} "([^"]+)"$', text, re.M)
    if not define("TELLURANE_VERSION_TEXT") or not define("TELLURANE_COPYRIGHT_YEAR"):
        sys.exit(f"no version in {header}")
    version, year = define("TELLURANE_VERSION_TEXT").group(1), define("TELLURANE_COPYRIGHT_YEAR").group(1)
    dist = Path(dist)
    template = release_template()
    hashes = {name: sha256(dist / name) for name in file_names(version)}
    winget = winget_manifests(version, year, template.replace("{version}", version), homepage(template), hashes)
    files = {f"winget/{name}": body for name, body in winget.items()}
    files["scoop/tellurane.json"] = scoop_manifest(version, template, hashes)
    for name, body in files.items():
        (dist / name).parent.mkdir(parents=True, exist_ok=True)
        (dist / name).write_bytes(body.encode())
    summed = list(file_names(version)) + sorted(files)
    sums = "".join(f"{sha256(dist / name)}  {name}\n" for name in summed)
    (dist / "SHA256SUMS").write_bytes(sums.encode())


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
