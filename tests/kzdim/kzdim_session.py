"""Running the KzDim module end to end: the bundled route sample (or a changed copy of
it, or any drawing) opened by `kzdim run` with a script, the host add-in's ini folder
copied to a temporary folder first (the module writes its settings there), and the
saved drawing read back with ezdxf."""
import math
import os
import shutil
import subprocess
import tempfile

import ezdxf

BIN_DIR = os.environ.get("KZ_BIN_DIR", "build/bin")
SOURCE_DIR = os.environ.get(
    "KZ_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
KZDIM = os.path.join(BIN_DIR, "kzdim")
SAMPLE = os.path.join(SOURCE_DIR, "samples", "route-sample.dxf")
SCRIPTS = os.path.join(SOURCE_DIR, "samples", "scripts")
INI_DIR = os.path.join(SOURCE_DIR, "samples", "ini")


class Run:
    """One finished `kzdim run`: exit status, transcript, standard error and the path
    of the drawing it saved (which may not exist)."""

    def __init__(self, proc, out_path):
        self.returncode = proc.returncode
        self.transcript = proc.stdout.decode("utf-8")
        self.stderr = proc.stderr.decode("utf-8", "replace")
        self.out = out_path
        self._doc = None

    @property
    def doc(self):
        """The saved drawing read with ezdxf; None when the run saved nothing."""
        if self._doc is None and os.path.exists(self.out):
            self._doc = ezdxf.readfile(self.out)
        return self._doc

    def entity(self, handle):
        return self.doc.entitydb.get(handle)


class Session:
    """A temporary folder holding a copy of the ini folder; `run` drives kzdim in it."""

    def __init__(self):
        self._tmp = tempfile.TemporaryDirectory(prefix="kzdim-test-")
        self.folder = self._tmp.name
        # The whole folder: Kelto.ini names its system folder by a relative path.
        shutil.copytree(INI_DIR, os.path.join(self.folder, "ini"))
        self.ini = os.path.join(self.folder, "ini", "Kelto.ini")
        self._count = 0

    def close(self):
        self._tmp.cleanup()

    def path(self, name):
        return os.path.join(self.folder, name)

    def write_script(self, lines):
        self._count += 1
        script = self.path("script-%d.scr" % self._count)
        with open(script, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        return script

    def run(self, script, drawing=SAMPLE, options=(), kzdim=KZDIM, save=True):
        """Runs a script (a path, or a list of lines written to a file) on a drawing;
        save=False leaves out --out."""
        if not isinstance(script, str):
            script = self.write_script(script)
        self._count += 1
        out = self.path("out-%d.dxf" % self._count)
        args = [kzdim, "run", drawing, "--script", script, "--ini", self.ini, *options]
        if save:
            args += ["--out", out]
        return Run(subprocess.run(args, capture_output=True, timeout=120), out)

    def changed_sample(self, change):
        """A copy of the route sample after change(doc) edited it with ezdxf."""
        doc = ezdxf.readfile(SAMPLE)
        change(doc)
        self._count += 1
        path = self.path("sample-%d.dxf" % self._count)
        doc.saveas(path)
        return path

    # ---- the ini file the module writes its settings to ----

    def ini_text(self):
        with open(self.ini, "rb") as f:
            data = f.read()
        for encoding in ("utf-8", "utf-16", "cp932"):
            try:
                return data.decode(encoding)
            except UnicodeDecodeError:
                pass
        raise AssertionError("ini file in no known encoding")

    def set_ini(self, section, key, value):
        text = self.ini_text()
        header = "[%s]" % section
        if header not in text:
            text += "\n%s\n" % header
        lines = text.splitlines()
        at = lines.index(header)
        end = at + 1
        while end < len(lines) and not lines[end].startswith("["):
            end += 1
        lines = [l for i, l in enumerate(lines)
                 if not (at < i < end and l.split("=")[0] == key)]
        lines.insert(at + 1, "%s=%s" % (key, value))
        with open(self.ini, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")

    def ini_section(self, section):
        values, current = {}, None
        for line in self.ini_text().splitlines():
            line = line.strip()
            if line.startswith("["):
                current = line[1:-1]
            elif current == section and "=" in line and not line.startswith(";"):
                key, value = line.split("=", 1)
                values[key] = value
        return values


def links(entity):
    """The handles of an entity's KZ_DIMENSION link list."""
    return strings(entity, "KZ_DIMENSION") or []


def strings(entity, app):
    """The strings an entity keeps under one application's extended data; None when it
    has none."""
    if not entity.has_xdata(app):
        return None
    return [t.value for t in entity.get_xdata(app) if t.code == 1000]


def dim_text(doc, dim):
    """The MText shown by a dimension (the first in its block)."""
    return doc.blocks.get(dim.dxf.geometry).query("MTEXT")[0]


def dimtmove(dim):
    return dim.override().get("dimtmove")


def element_length(doc, insert, layer="KZ_LENGTH"):
    """Distance between the first two points of a route element's block on one layer,
    scaled as the reference draws them (the elements are only ever stretched along x
    and turned about z)."""
    points = [p.dxf.location for p in doc.blocks.get(insert.dxf.name)
              if p.dxftype() == "POINT" and p.dxf.layer.upper() == layer]
    d = points[1] - points[0]
    return math.hypot(d.x * insert.dxf.xscale, d.y * insert.dxf.yscale)


def root(doc, insert, layer="KZ_CONNECT"):
    """The first two connection points of a route element in world coordinates (the
    sample's elements lie in the XY plane, turned about z)."""
    points = [p.dxf.location for p in doc.blocks.get(insert.dxf.name)
              if p.dxftype() == "POINT" and p.dxf.layer.upper() == layer]
    base = doc.blocks.get(insert.dxf.name).block.dxf.base_point
    a = math.radians(insert.dxf.rotation)
    out = []
    for p in points[:2]:
        x = (p.x - base.x) * insert.dxf.xscale
        y = (p.y - base.y) * insert.dxf.yscale
        out.append((insert.dxf.insert.x + x * math.cos(a) - y * math.sin(a),
                    insert.dxf.insert.y + x * math.sin(a) + y * math.cos(a)))
    return out
