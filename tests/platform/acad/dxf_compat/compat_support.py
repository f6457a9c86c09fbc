"""Shared helpers of the ezdxf compatibility tests: running kzdim and describing a
drawing as plain data (entities, handles, attributes, extended data, groups) so that
two readings of a drawing compare with assertEqual."""
import os
import subprocess

import ezdxf

BIN_DIR = os.environ.get("KZ_BIN_DIR", "")
SOURCE_DIR = os.environ.get(
    "KZ_SOURCE_DIR",
    os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "..", "..")))
KZDIM = os.path.join(BIN_DIR, "kzdim")


def run_kzdim(*args, timeout=120):
    return subprocess.run([KZDIM, *args], capture_output=True, text=True, timeout=timeout)


def convert(source, target):
    """kzdim convert; fails the caller's test with kzdim's message on error."""
    run = run_kzdim("convert", source, "--out", target)
    if run.returncode != 0:
        raise AssertionError("kzdim convert failed (%d): %s" % (run.returncode, run.stderr))
    return run


def _value(v):
    if isinstance(v, float):
        return round(v, 9)
    if isinstance(v, (tuple, list)) or hasattr(v, "x"):
        return tuple(round(float(c), 9) for c in v)
    return v


def tags_of(tags):
    return [(t.code, _value(t.value)) for t in tags]


def xdata_of(entity):
    """{application: [(code, value), ...]} of an entity or object; {} without any."""
    if not entity.xdata:
        return {}
    return {app: tags_of(tags) for app, tags in entity.xdata.data.items()}


def layouts_of(doc):
    """{layout or block name: [(type, handle, layer), ...]} in file order."""
    out = {}
    for block in doc.blocks:
        out[block.name] = [(e.dxftype(), e.dxf.handle, e.dxf.get("layer")) for e in block]
    return out


def attributes_of(doc):
    """{insert handle: [(attribute handle, tag, text), ...]} over all blocks."""
    out = {}
    for block in doc.blocks:
        for insert in block.query("INSERT"):
            out[insert.dxf.handle] = [(a.dxf.handle, a.dxf.tag, a.dxf.text) for a in insert.attribs]
    return out


def all_xdata(doc):
    """{handle: xdata} of every entity and object that carries extended data, and of
    the block records."""
    out = {}
    for e in doc.entitydb.values():
        if e.is_alive and e.xdata:
            out[e.dxf.handle] = xdata_of(e)
    return out


def groups_of(doc):
    """{group name: sorted member handles}: ezdxf does not keep the members' order."""
    return {name: sorted(e.dxf.handle for e in group) for name, group in doc.groups}


def audit_errors(doc):
    """The audit's errors as text lines (ezdxf's audit reports but does not fail)."""
    auditor = doc.audit()
    return ["%s: %s" % (err.code, err.message) for err in auditor.errors]


def attribs_of(doc, ignore=()):
    """{handle: {attribute: value}} of every entity in every block, with the defaults
    filled in so that a value written out explicitly equals one left to its default.
    Names of table records compare without regard to case, as CAD programs compare
    them; an MText's direction counts as its rotation whichever group gave it."""
    out = {}
    for block in doc.blocks:
        for e in block:
            values = {}
            if e.dxftype() == "MTEXT":
                ignore = tuple(ignore) + ("rotation", "text_direction")
                values["rotation (any form)"] = round(e.get_rotation() % 360.0, 6)
            for name in list(e.DXFATTRIBS._attribs):
                if name in ignore or name in ("handle", "owner"):
                    continue
                try:
                    v = e.dxf.get_default(name) if not e.dxf.hasattr(name) else e.dxf.get(name)
                except Exception:  # an attribute with no default
                    continue
                if name in ("linetype", "style", "dimstyle") and isinstance(v, str):
                    v = v.upper()
                if v is not None:
                    values[name] = _value(v)
            out[e.dxf.handle] = values
    return out
