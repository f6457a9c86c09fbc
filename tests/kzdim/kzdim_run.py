"""Running the real module in kzdim: a private copy of the bundled ini files (the module
writes its settings there), a script, the transcript and the saved drawing."""
import os
import shutil
import subprocess
import tempfile

BIN = os.environ.get("KZ_BIN_DIR", "build/bin")
SRC = os.environ.get("KZ_SOURCE_DIR", ".")
KZDIM = os.path.join(BIN, "kzdim")
SAMPLE = os.path.join(SRC, "samples", "route-sample.dxf")


class Result:
    def __init__(self, proc, out):
        self.status = proc.returncode
        self.stdout = proc.stdout.decode("utf-8")
        self.stderr = proc.stderr.decode("utf-8", "replace")
        self.out = out

    def drawing(self):
        import ezdxf
        return ezdxf.readfile(self.out)


class Session:
    """A temporary folder with the ini files; close() removes it."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="kzdim-test-")
        shutil.copytree(os.path.join(SRC, "samples", "ini"), os.path.join(self.dir, "ini"))
        self.ini = os.path.join(self.dir, "ini", "Kelto.ini")
        self.runs = 0

    def close(self):
        shutil.rmtree(self.dir, ignore_errors=True)

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

    def ini_text(self):
        with open(self.ini, "rb") as f:
            data = f.read()
        for encoding in ("utf-8", "utf-16", "cp932"):
            try:
                return data.decode(encoding)
            except UnicodeDecodeError:
                pass
        raise AssertionError("ini file in no known encoding")

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

    def run(self, lines, drawing=SAMPLE, options=(), kzdim=KZDIM, save=True):
        self.runs += 1
        script = os.path.join(self.dir, "run%d.scr" % self.runs)
        with open(script, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        out = os.path.join(self.dir, "run%d.dxf" % self.runs)
        args = [kzdim, "run", drawing, "--script", script, "--ini", self.ini, *options]
        if save:
            args += ["--out", out]
        proc = subprocess.run(args, capture_output=True, timeout=120)
        return Result(proc, out)


def links(entity):
    """The handles of an entity's KZ_DIMENSION link list."""
    if not entity.has_xdata("KZ_DIMENSION"):
        return []
    return [value for code, value in entity.get_xdata("KZ_DIMENSION") if code == 1000]
