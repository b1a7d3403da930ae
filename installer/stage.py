#!/usr/bin/env python3
"""Packaging steps of tools/package.sh that need exact bytes: the portable zip, the installer's list of shipped
skins, its product code, and what wixl cannot write. Everything here depends only on its arguments and the staged
files, never on the clock, the user or the order the file system lists things in.

  stage.py zip STAGE EPOCH OUT.zip          the program folder as CineLedger/... in a zip
  stage.py skins STAGE OUT.wxs              WiX fragment: one component per shipped skin folder
  stage.py product-code VERSION             the installer's product code for a version
  stage.py finish-msi MSI EPOCH COMPONENT   COMPONENT kept on removal; package code and times fixed
"""
import hashlib
import os
import subprocess
import sys
import tempfile
import time
import uuid
import zipfile
from xml.sax.saxutils import quoteattr

# Codes derived from names live under this namespace, so they stay the same from build to build and from
# version to version (a component's code must not change while its files stay where they are).
NAMESPACE = uuid.UUID("29FCC1CB-7272-4629-8DD8-0BDC7212E44A")


def code(name):
    return str(uuid.uuid5(NAMESPACE, name)).upper()


def files_under(root):
    found = []
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in sorted(names):
            found.append(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/"))
    return found


def write_zip(stage, epoch, out):
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name in files_under(stage):
            entry = zipfile.ZipInfo("CineLedger/" + name, stamp)
            entry.create_system = 0  # made for Windows: no Unix owner or mode bits
            entry.external_attr = 0x20  # the archive attribute, as Windows sets it on new files
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(stage, name), "rb") as source:
                archive.writestr(entry, source.read())


def ident(text):
    return "".join(c if c.isalnum() or c in "_." else "_" for c in text)


def write_skins(stage, out):
    skins = os.path.join(stage, "Skins")
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi"><Fragment>',
             '<DirectoryRef Id="SkinsDir">']
    components = []

    def component(cid, key_name, body):
        components.append(cid)
        lines.append('<Component Id="%s" Guid="%s">' % (cid, code(cid)))
        lines.append('<RegistryValue Root="HKCU" Key="Software\\CineLedger\\Installed" Name=%s Type="integer"'
                     ' Value="1" KeyPath="yes"/>' % quoteattr(key_name))
        lines.extend(body)
        lines.append('<RemoveFolder Id="Remove_%s" On="uninstall"/></Component>' % cid)

    # The Skins folder itself goes when it is empty; a skin the user added keeps it.
    component("Skins", "Skins", [])
    for skin in sorted(os.listdir(skins)):
        folder = os.path.join(skins, skin)
        if not os.path.isdir(folder):
            continue
        cid = "Skin_" + ident(skin)
        lines.append('<Directory Id="%s" Name=%s>' % (cid, quoteattr(skin)))
        component(cid, "Skin " + skin,
                  ['<File Id="%s" Name=%s Source=%s/>' % (cid + "_" + ident(name), quoteattr(name),
                                                         quoteattr(os.path.join(folder, name)))
                   for name in sorted(os.listdir(folder))])
        lines.append("</Directory>")
    lines.append('</DirectoryRef><ComponentGroup Id="ShippedSkins">')
    lines.extend('<ComponentRef Id="%s"/>' % cid for cid in components)
    lines.append("</ComponentGroup></Fragment></Wix>")
    with open(out, "w", encoding="utf-8") as target:
        target.write("\n".join(lines) + "\n")


def msiinfo(*args):
    return subprocess.run(["msiinfo", *args], check=True, capture_output=True).stdout


def set_rows(idt, values):
    """An exported table with the first field of some rows mapped to a new row; returns the rows changed."""
    rows = idt.decode("utf-8").split("\r\n")
    changed = 0
    # The first three lines are the column names, their types and the table's key.
    for i in range(3, len(rows)):
        key = rows[i].split("\t", 1)[0]
        if key in values:
            rows[i] = values[key](rows[i].split("\t"))
            changed += 1
    return "\r\n".join(rows).encode("utf-8"), changed


def import_table(msi, name, idt):
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, name + ".idt"), "wb") as table:
            table.write(idt)
        subprocess.run(["msibuild", os.path.abspath(msi), "-i", name + ".idt"], check=True, cwd=folder)


def finish_msi(msi, epoch, permanent):
    """What wixl cannot write. The component of PERMANENT becomes never-overwrite (0x80) and permanent (0x10).
    The package code, which wixl draws at random, becomes a digest of the package's tables and files, and its
    creation and save times the commit's time, so that the same sources give the same package."""
    def flagged(fields):
        fields[3] = str(int(fields[3] or 0) | 0x90)
        return "\t".join(fields)

    component, changed = set_rows(msiinfo("export", msi, "Component"), {permanent: flagged})
    if changed != 1:
        sys.exit("stage.py: no component %s in %s" % (permanent, msi))
    import_table(msi, "Component", component)

    digest = hashlib.sha256()
    for table in sorted(msiinfo("tables", msi).decode().split()):
        if table != "_SummaryInformation":
            digest.update(msiinfo("export", msi, table))
    for stream in sorted(msiinfo("streams", msi).decode().split("\n")):
        if stream and not stream.endswith("SummaryInformation"):
            digest.update(msiinfo("extract", msi, stream))
    package_code = "{%s}" % str(uuid.uuid5(NAMESPACE, digest.hexdigest())).upper()
    stamp = time.strftime("%Y/%m/%d %H:%M:%S", time.gmtime(int(epoch)))
    summary, changed = set_rows(msiinfo("export", msi, "_SummaryInformation"), {
        "9": lambda fields: "9\t" + package_code,
        "12": lambda fields: "12\t" + stamp,
        "13": lambda fields: "13\t" + stamp})
    if changed != 3:
        sys.exit("stage.py: unexpected summary information in %s" % msi)
    import_table(msi, "_SummaryInformation", summary)


def main(args):
    if len(args) == 4 and args[0] == "zip":
        write_zip(args[1], args[2], args[3])
    elif len(args) == 3 and args[0] == "skins":
        write_skins(args[1], args[2])
    elif len(args) == 2 and args[0] == "product-code":
        print(code("CineLedger " + args[1]))
    elif len(args) == 4 and args[0] == "finish-msi":
        finish_msi(args[1], args[2], args[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
