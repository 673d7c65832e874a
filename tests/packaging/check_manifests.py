#!/usr/bin/env python3
"""Checks a release's winget and Scoop manifests, offline, against what winget (manifest schema 1.10.0) and
Scoop (its app manifest keys) accept and against the release itself: the files, their hashes, the
setup's uninstall entry (installer/tellurane.nsi) and the release address (TELLURANE_RELEASE_URL).
  check_manifests.py DIST      checks DIST/winget/*.yaml, DIST/scoop/tellurane.json and DIST/SHA256SUMS
  check_manifests.py selftest  makes a release of stand-in files with scripts/manifests.py in a scratch
                               folder, checks it, then plants one fault at a time and expects each caught
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

import yaml

ROOT = Path(__file__).resolve().parents[2]
sys.dont_write_bytecode = True  # nothing left in the source tree
sys.path.insert(0, str(ROOT / "scripts"))
import manifests  # noqa: E402  (the generator: only its default release address is taken)

# winget's schema 1.10.0: forms, and the fields each file must and may have.
ID = re.compile(r'[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}')
VERSION = re.compile(r'[^\\/:*?"<>|\x01-\x1f]{1,128}')
LOCALE = re.compile(r"([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*")
URL = re.compile(r"[Hh][Tt][Tt][Pp][Ss]?://.+")
SHA = re.compile(r"[0-9A-F]{64}")  # winget's own form; its schema takes either case
SHARED = set("""InstallerLocale Platform MinimumOSVersion InstallerType NestedInstallerType NestedInstallerFiles Scope
    InstallModes InstallerSwitches InstallerSuccessCodes ExpectedReturnCodes UpgradeBehavior Commands Protocols
    FileExtensions Dependencies PackageFamilyName ProductCode Capabilities RestrictedCapabilities Markets
    InstallerAbortsTerminal ReleaseDate InstallLocationRequired RequireExplicitUpgrade DisplayInstallWarnings
    UnsupportedOSArchitectures UnsupportedArguments AppsAndFeaturesEntries ElevationRequirement InstallationMetadata
    DownloadCommandProhibited RepairBehavior ArchiveBinariesDependOnPath""".split())
COMMON = {"PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion"}
FIELDS = {  # ManifestType: (required, may have besides)
    "version": (COMMON | {"DefaultLocale"}, set()),
    "defaultLocale": (COMMON | {"PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"}, set(
        """PublisherUrl PublisherSupportUrl PrivacyUrl Author PackageUrl LicenseUrl Copyright CopyrightUrl
        Description Moniker Tags Agreements ReleaseNotes ReleaseNotesUrl PurchaseUrl InstallationNotes
        Documentations Icons""".split())),
    "installer": (COMMON | {"Installers"}, SHARED | {"Channel"}),
}
INSTALLER_REQUIRED = {"Architecture", "InstallerUrl", "InstallerSha256"}
SUBFIELDS = {  # what an object under each key may have
    "Installers": SHARED | INSTALLER_REQUIRED | {"SignatureSha256"},
    "InstallerSwitches": {"Silent", "SilentWithProgress", "Interactive", "InstallLocation", "Log", "Upgrade", "Custom",
                          "Repair"},
    "AppsAndFeaturesEntries": {"DisplayName", "Publisher", "DisplayVersion", "ProductCode", "UpgradeCode",
                               "InstallerType"},
    "NestedInstallerFiles": {"RelativeFilePath", "PortableCommandAlias"},
    "ExpectedReturnCodes": {"InstallerReturnCode", "ReturnResponse", "ReturnResponseUrl"},
}
INSTALLER_TYPES = {"msix", "msi", "appx", "exe", "inno", "nullsoft", "wix", "burn", "portable", "advinstExe",
                   "advinstMsi"}
ENUMS = {
    "Architecture": {"x86", "x64", "arm", "arm64", "neutral"},
    "InstallerType": INSTALLER_TYPES | {"zip", "pwa"},
    "NestedInstallerType": INSTALLER_TYPES,
    "Scope": {"user", "machine"},
    "UpgradeBehavior": {"install", "uninstallPrevious", "deny"},
    "ReturnResponse": set("""packageInUse packageInUseByApplication installInProgress fileInUse missingDependency
        diskFull insufficientMemory invalidParameter noNetwork contactSupport rebootRequiredToFinish
        rebootRequiredForInstall rebootInitiated cancelledByUser alreadyInstalled downgrade blockedByPolicy
        systemNotSupported custom""".split()),
}
LENGTHS = {"Publisher": (2, 256), "PackageName": (2, 256), "License": (3, 512), "Copyright": (3, 512),
           "ShortDescription": (3, 256), "Description": (3, 10000), "Moniker": (1, 40), "Tags": (1, 40),
           "PortableCommandAlias": (1, 40), "ProductCode": (1, 255), "DisplayName": (1, 256)}
BOOLEANS = {"InstallerAbortsTerminal", "InstallLocationRequired", "RequireExplicitUpgrade", "DisplayInstallWarnings",
            "DownloadCommandProhibited", "ArchiveBinariesDependOnPath"}
# The top-level keys Scoop's app manifests know, and those of its checkver, autoupdate and hash extraction.
SCOOP_KEYS = set("""## _comment architecture autoupdate bin checkver cookie depends description env_add_path env_set
    extract_dir extract_to hash homepage innosetup installer license notes persist post_install post_uninstall
    pre_install pre_uninstall psmodule shortcuts suggest uninstaller url version""".split())
SCOOP_WANTED = set("""version description homepage license url hash extract_dir bin shortcuts persist checkver
    autoupdate""".split())
CHECKVER_KEYS = {"github", "re", "regex", "url", "jp", "jsonpath", "xpath", "reverse", "replace", "useragent"}
AUTOUPDATE_KEYS = {"architecture", "extract_dir", "hash", "note", "url"}
HASH_KEYS = {"find", "regex", "jp", "jsonpath", "xpath", "mode", "type", "url"}


def sha256(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def text_of(path, out):
    raw = path.read_bytes()
    if b"\r" in raw or not raw.endswith(b"\n"):
        out.append(f"{path.name}: every line must end in LF alone, the last one too")
    return raw.decode("utf-8")


def zip_names(path):
    try:
        with zipfile.ZipFile(path) as archive:
            return set(archive.namelist())
    except (OSError, zipfile.BadZipFile):
        return set()


def setup_entry(version):
    """What installer/tellurane.nsi writes under its uninstall key, whose name is the ProductCode."""
    text = (ROOT / "installer" / "tellurane.nsi").read_text()
    key = re.search(r'!define UNINSTALL_KEY ".*\\Uninstall\\([^"\\]+)"', text).group(1)
    values = dict(re.findall(r'WriteRegStr HKCU "\$\{UNINSTALL_KEY\}" "(\w+)" "([^"]*)"', text))
    return {"DisplayName": values["DisplayName"], "Publisher": values["Publisher"],
            "DisplayVersion": values["DisplayVersion"].replace("${VERSION}", version), "ProductCode": key}


def walk(where, node, out, key=None):
    """Every value as winget's schema types it: text unless a number or a yes/no is meant."""
    if isinstance(node, dict):
        for name, value in node.items():
            if key in SUBFIELDS and name not in SUBFIELDS[key]:
                out.append(f"{where}: unknown field {key}.{name}")
            walk(where, value, out, name)
    elif isinstance(node, list):
        for item in node:
            walk(where, item, out, key)
    elif key in ("InstallerReturnCode", "InstallerSuccessCodes"):
        if type(node) is not int or node == 0:
            out.append(f"{where}: {key} {node!r} is not a non-zero integer")
    elif key in BOOLEANS and isinstance(node, bool):
        pass
    elif not isinstance(node, str):
        out.append(f"{where}: {key} reads as {type(node).__name__} {node!r}, not text: quote it")
    elif key in ENUMS and node not in ENUMS[key]:
        out.append(f"{where}: {key} {node!r} is not one of winget's")
    elif key in LENGTHS and not LENGTHS[key][0] <= len(node) <= LENGTHS[key][1]:
        out.append(f"{where}: {key} must be {LENGTHS[key][0]} to {LENGTHS[key][1]} characters")


def winget_docs(folder, out):
    docs = {}
    for path in sorted(folder.glob("*.yaml")):
        text = text_of(path, out)
        try:
            data = yaml.safe_load(text)
        except yaml.YAMLError as error:
            out.append(f"{path.name}: not YAML: {error}")
            continue
        kind = data.get("ManifestType") if isinstance(data, dict) else None
        if kind not in FIELDS or kind in docs:
            out.append(f"{path.name}: ManifestType {kind!r}: one each of version, defaultLocale and installer")
            continue
        schema = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.1.10.0.schema.json"
        if schema not in text.splitlines():
            out.append(f"{path.name}: no line {schema}")
        required, optional = FIELDS[kind]
        out += [f"{path.name}: no {key}" for key in sorted(required - data.keys())]
        out += [f"{path.name}: unknown field {key}" for key in sorted(data.keys() - required - optional)]
        if data.get("ManifestVersion") != "1.10.0":
            out.append(f"{path.name}: ManifestVersion {data.get('ManifestVersion')!r} is not 1.10.0")
        walk(path.name, data, out)
        docs[kind] = (path.name, data)
    out += [f"winget: no {kind} manifest" for kind in FIELDS if kind not in docs]
    return docs


def check_setup(where, entry, version, out):
    if entry.get("Scope") != "user":
        out.append(f"{where}: the setup installs for the current user: Scope user")
    switches = entry.get("InstallerSwitches") or {}
    # NSIS: /S, and /D= last and unquoted (winget puts InstallLocation last).
    for name, value in {"Silent": "/S", "SilentWithProgress": "/S", "InstallLocation": "/D=<INSTALLPATH>"}.items():
        if switches.get(name, value) != value or (name == "Silent" and name not in switches):
            out.append(f"{where}: InstallerSwitches {name} {switches.get(name)!r}: the setup takes {value}")
    if entry.get("UpgradeBehavior") != "install":
        out.append(f"{where}: UpgradeBehavior: the setup installs over an older version: install")
    arp = (entry.get("AppsAndFeaturesEntries") or [{}])[0]
    for name, value in setup_entry(version).items():
        if arp.get(name) != value:
            out.append(f"{where}: AppsAndFeaturesEntries {name} {arp.get(name)!r}, the setup writes {value!r}")
    if entry.get("ProductCode", arp.get("ProductCode")) != arp.get("ProductCode"):
        out.append(f"{where}: ProductCode {entry.get('ProductCode')!r} is not the uninstall key's name")


def check_winget(docs, dist, template, out):
    if len(docs) < len(FIELDS):
        return None
    for key in ("PackageIdentifier", "PackageVersion"):
        values = sorted({repr(data.get(key)) for _, data in docs.values()})
        if len(values) > 1:
            out.append(f"winget: {key} differs between the files: {', '.join(values)}")
    package, version = docs["version"][1].get("PackageIdentifier"), docs["version"][1].get("PackageVersion")
    if not (isinstance(package, str) and ID.fullmatch(package)):
        out.append(f"winget: PackageIdentifier {package!r} is not of the form Publisher.Package")
    if not (isinstance(version, str) and VERSION.fullmatch(version)):
        return out.append(f"winget: PackageVersion {version!r} is not a version as text")
    locale = docs["defaultLocale"][1].get("PackageLocale")
    if docs["version"][1].get("DefaultLocale") != locale or not LOCALE.fullmatch(str(locale)):
        out.append(f"winget: DefaultLocale is not the default locale manifest's PackageLocale {locale!r}")
    names = {"version": f"{package}.yaml", "defaultLocale": f"{package}.locale.{locale}.yaml",
             "installer": f"{package}.installer.yaml"}
    out += [f"winget: {docs[k][0]} should be named {name}" for k, name in names.items() if docs[k][0] != name]
    name, root = docs["installer"]
    folder = template.replace("{version}", version)
    files = {"nullsoft": f"Tellurane-{version}-setup.exe", "zip": f"Tellurane-{version}-portable.zip"}
    seen = []
    for number, own in enumerate(root.get("Installers") or [], 1):
        where = f"{name}: installer {number}"
        entry = {**{k: v for k, v in root.items() if k in SHARED}, **own}
        out += [f"{where}: no {key}" for key in sorted(INSTALLER_REQUIRED - entry.keys())]
        kind = entry.get("InstallerType")
        seen.append(kind)
        if entry.get("Architecture") != "x86":
            out.append(f"{where}: Tellurane.exe is 32-bit: Architecture x86")
        digest, file = entry.get("InstallerSha256"), files.get(kind)
        if not (isinstance(digest, str) and SHA.fullmatch(digest)):
            out.append(f"{where}: InstallerSha256 is not 64 hexadecimal digits in upper case")
        if file is None:
            continue  # said below
        if entry.get("InstallerUrl") != f"{folder}/{file}" or not URL.fullmatch(f"{folder}/{file}"):
            out.append(f"{where}: InstallerUrl {entry.get('InstallerUrl')} is not {folder}/{file}")
        if not (dist / file).is_file() or digest != sha256(dist / file).upper():
            out.append(f"{where}: InstallerSha256 is not the sha256 of {file}")
        if kind == "nullsoft":
            check_setup(where, entry, version, out)
        elif kind == "zip":
            if entry.get("NestedInstallerType") != "portable":
                out.append(f"{where}: the zip holds the program itself: NestedInstallerType portable")
            inside = zip_names(dist / file)
            for nested in entry.get("NestedInstallerFiles") or [{}]:
                path = str(nested.get("RelativeFilePath")).replace("\\", "/")
                if path not in inside or not nested.get("PortableCommandAlias"):
                    out.append(f"{where}: NestedInstallerFiles {path} is not in {file}, or has no PortableCommandAlias")
    if sorted(map(str, seen)) != ["nullsoft", "zip"]:
        out.append(f"{name}: InstallerType {seen}: the release is a nullsoft setup and a zip, one each")
    return version


def check_scoop(path, dist, template, version, out):
    try:
        app = json.loads(text_of(path, out))
    except (OSError, json.JSONDecodeError) as error:
        return out.append(f"scoop: {path.name} is not valid JSON: {error}")
    if not isinstance(app, dict):
        return out.append(f"scoop: {path.name} is not a JSON object")
    out += [f"scoop: unknown key {key!r}" for key in sorted(app.keys() - SCOOP_KEYS)]
    out += [f"scoop: no {key}" for key in sorted(SCOOP_WANTED - app.keys())]
    portable = f"Tellurane-{version}-portable.zip"
    if app.get("version") != version or not re.fullmatch(r"[\w.+-]+", str(app.get("version"))):
        out.append(f"scoop: version {app.get('version')!r} is not the winget manifests' {version!r} as text")
    if app.get("url") != f"{template.replace('{version}', version)}/{portable}":
        out.append(f"scoop: url {app.get('url')} does not follow the release address {template}")
    if not (dist / portable).is_file() or str(app.get("hash")).lower() != sha256(dist / portable):
        out.append(f"scoop: hash is not the sha256 of {portable}")
    top, inside = app.get("extract_dir"), zip_names(dist / portable)
    if f"{top}/" not in inside:
        out.append(f"scoop: extract_dir {top!r} is not a folder of {portable}")
    listed = lambda key: [item if isinstance(item, str) else item[0] for item in
                          ([app[key]] if isinstance(app.get(key), str) else app.get(key) or [])]
    for target in listed("bin") + listed("shortcuts") + listed("persist"):
        if f"{top}/{target}".replace("\\", "/") not in inside:
            out.append(f"scoop: {target} is not in {portable}'s {top} folder")
    if any(not (isinstance(s, list) and 2 <= len(s) <= 4 and all(isinstance(x, str) for x in s))
           for s in app.get("shortcuts") or []):
        out.append("scoop: a shortcut is [program, name] with up to two more texts")
    checkver = app.get("checkver")
    if isinstance(checkver, dict) and checkver.keys() - CHECKVER_KEYS:
        out.append(f"scoop: unknown checkver keys {sorted(checkver.keys() - CHECKVER_KEYS)}")
    update = app.get("autoupdate") or {}
    if update.keys() - AUTOUPDATE_KEYS or (update.get("hash") or {}).keys() - HASH_KEYS:
        out.append("scoop: unknown keys in autoupdate or its hash")
    if update.get("url") != f"{template.replace('{version}', '$version')}/Tellurane-$version-portable.zip":
        out.append(f"scoop: autoupdate url {update.get('url')} is not the release address with $version")


def check_sums(dist, wanted, out):
    listed = {}
    if not (dist / "SHA256SUMS").is_file():
        return out.append("SHA256SUMS: missing")
    for line in (dist / "SHA256SUMS").read_text().splitlines():
        match = re.fullmatch(r"([0-9a-f]{64})  (\S.*)", line)
        if not match:
            out.append(f"SHA256SUMS: {line!r} is not 'sum  name'")
            continue
        listed[match.group(2)] = match.group(1)
    out += [f"SHA256SUMS: no sum of {name}" for name in wanted if name not in listed]
    out += [f"SHA256SUMS: {name} has another sum" for name, digest in listed.items()
            if not (dist / name).is_file() or sha256(dist / name) != digest]


def problems(dist, template=None):
    dist, out = Path(dist), []
    template = (template or os.environ.get("TELLURANE_RELEASE_URL") or manifests.DEFAULT_RELEASE_URL).rstrip("/")
    docs = winget_docs(dist / "winget", out)
    version = check_winget(docs, dist, template, out)
    if version:
        check_scoop(dist / "scoop" / "tellurane.json", dist, template, version, out)
        wanted = [f"Tellurane-{version}-setup.exe", f"Tellurane-{version}-portable.zip", "scoop/tellurane.json"]
        check_sums(dist, wanted + [f"winget/{name}" for name, _ in docs.values()], out)
    return out


def edit(name, pattern, replacement):
    def plant(dist):
        text = (dist / name).read_bytes().decode()
        if not re.search(pattern, text):
            raise AssertionError(f"{pattern!r} is not in {name}")
        (dist / name).write_bytes(re.sub(pattern, replacement, text, count=1).encode())
    return plant


def stand_in_zip(path, settings=True):
    with zipfile.ZipFile(path, "w") as archive:
        for name in ["Tellurane/", "Tellurane/Tellurane.exe"] + ["Tellurane/Tellurane.ini"] * settings:
            archive.writestr(zipfile.ZipInfo(name, (1980, 1, 1, 0, 0, 0)), b"" if name.endswith("/") else b"MZ")


V, L, I = (f"winget/Marrowick.Tellurane{s}.yaml" for s in ("", ".locale.en-US", ".installer"))
S = "scoop/tellurane.json"
FAULTS = [  # what, how it is planted (a template returned is checked against instead), what must be said
    ("the release as written", lambda dist: None, None),
    ("a version YAML reads as a number", edit(V, r'PackageVersion: "7.00"', "PackageVersion: 7.00"),
     "PackageVersion reads as float"),
    ("an identifier of one part", edit(V, r"PackageIdentifier: .*", "PackageIdentifier: Tellurane"),
     "PackageIdentifier 'Tellurane' is not of the form"),
    ("another manifest version in one file", edit(L, r"ManifestVersion: .*", 'ManifestVersion: "1.9.0"'),
     "ManifestVersion '1.9.0'"),
    ("a wrong installer hash", edit(I, r"(InstallerSha256: \"?)[0-9A-F]{4}", r"\g<1>ABCD"), "is not the sha256"),
    ("a field winget does not know", edit(I, "UpgradeBehavior:", "UpgradeBehaviour:"), "unknown field Installers."),
    ("another silent switch", edit(I, r"\bSilent: /S", "Silent: /VERYSILENT"), "InstallerSwitches Silent"),
    ("a quoted install folder", edit(I, "/D=<INSTALLPATH>", "'/D=\"<INSTALLPATH>\"'"), "InstallLocation"),
    ("the setup as a plain exe", edit(I, "InstallerType: nullsoft", "InstallerType: exe"),
     "a nullsoft setup and a zip"),
    ("a product code not the uninstall key's", edit(I, r"ProductCode: Tellurane\n", "ProductCode: Tellurane_is1\n"),
     "is not the uninstall key's name"),
    ("a line ending in CRLF", edit(V, r"\n", "\r\n"), "LF alone"),
    ("an address off the release template", lambda dist: "https://downloads.example.org/t/{version}", "InstallerUrl"),
    ("a key Scoop does not know", edit(S, '"persist"', '"persists"'), "unknown key 'persists'"),
    ("Scoop JSON with a trailing comma", edit(S, r"\n}\n$", ",\n}\n"), "not valid JSON"),
    ("a wrong Scoop hash", edit(S, r'"hash": "[0-9a-f]{4}', '"hash": "abcd'), "scoop: hash"),
    ("an autoupdate address without $version", edit(S, r"\$version/", "7.00/"), "autoupdate url"),
    ("a zip without the settings file", lambda dist: stand_in_zip(dist / "Tellurane-7.00-portable.zip", False),
     "Tellurane.ini is not in"),
    ("a manifest left out of SHA256SUMS", edit("SHA256SUMS", r".*scoop/tellurane.json\n", ""), "no sum of scoop/"),
]


def selftest():
    with tempfile.TemporaryDirectory() as scratch:
        header, dist = Path(scratch) / "tellurane_version.h", Path(scratch) / "dist"
        header.write_text('#define TELLURANE_VERSION_TEXT "7.00"\n#define TELLURANE_COPYRIGHT_YEAR "2026"\n')
        dist.mkdir()
        (dist / "Tellurane-7.00-setup.exe").write_bytes(b"MZ a stand-in setup")
        stand_in_zip(dist / "Tellurane-7.00-portable.zip")
        env = {k: v for k, v in os.environ.items() if not k.startswith("TELLURANE_")}
        written = []
        for _ in range(2):
            subprocess.run([sys.executable, ROOT / "scripts" / "manifests.py", header, dist], env=env, check=True)
            written.append({p: p.read_bytes() for p in sorted(dist.rglob("*")) if p.is_file()})
        failures = [] if written[0] == written[1] else ["two runs wrote different bytes"]
        os.environ.pop("TELLURANE_RELEASE_URL", None)
        for what, plant, expected in FAULTS:
            for path, data in written[0].items():
                path.write_bytes(data)
            found = problems(dist, plant(dist))
            if (expected is None and found) or (expected and not any(expected in p for p in found)):
                failures.append(f"{what}: wanted {expected!r}, got {found}")
    print("\n".join(failures) or f"release manifests: {len(FAULTS)} cases, each as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1:] == ["selftest"]:
        sys.exit(selftest())
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    found = problems(sys.argv[1])
    print("\n".join(found) or f"{sys.argv[1]}: the winget and Scoop manifests and SHA256SUMS check out",
          file=sys.stderr if found else sys.stdout)
    sys.exit(1 if found else 0)
