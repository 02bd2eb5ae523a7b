#!/usr/bin/python3
"""A person's daily use of the strip, at random, for as many steps as asked.

Run by soak.sh inside an X server with openbox and a notification area:

    soak.py STEPS SEED

The same seed drives the same sequence of actions, so a failure can be
replayed. After every step the checks below must hold; each has a name, and
so has each action, so that SOAK_SKIP (comma-separated names) can leave a
known fault aside for a while. A skipped check is still made and what it
finds is printed; a skipped action is never chosen.

  idle     the program's CPU time grows by less than 2 % of a second over a
           second of rest
  text     what the box held is in textos/, in recuperados/ or still in the
           box, byte for byte; a deleted text is in the trash
  litter   no temporary file of a save is left behind
  config   config.txt has nine lines the program reads back as they are
  kept     config.txt holds the settings the user saved last
  places   config.txt holds where the windows stood when the user saved
           their places, and the collapsed window comes back where it stood
  windows  every window is on the screen; the strip or the collapsed
           window shows, as the user left it, and nothing else
  focus    the keyboard is in a window of the program whenever it had it

Environment: APP, DATA (the program's data folder, under XDG_DATA_HOME),
WORK (the scenario's folder, kept on failure), TRAY_LOG (the fake tray's
output), SCREEN (WxHxD), SOAK_SKIP.
"""

import collections
import os
import random
import re
import subprocess
import sys
import time
import unicodedata

DEVNULL = subprocess.DEVNULL
TICKS = os.sysconf("SC_CLK_TCK")
SIDE_SIZE = (294, 298)
INI_SIZE = (56, 56)
# The fake notification area is a panel 24 pixels high along the top edge.
PANEL = 30
# The toolbar's buttons, their centres from the strip's left edge; the
# toolbar stands 13 pixels above the strip's bottom edge.
TOOLS = ["ident", "save", "list", "config", "about", "top", "positions", "close"]
TOOL_X = {"ident": 15, "save": 33, "list": 51, "config": 70, "about": 89, "top": 108,
          "positions": 127, "close": 148}
FONTS = ["Arial", "Georgia", "MS Sans Serif", "Times New Roman", "Verdana"]
# Titles start with letters that differ however they are folded, so that the
# list's order (case and accents aside) is plain.
TITLES = ["Agenda", "Boletos do mês", "Café da manhã", "Dúvidas", "Endereços", "Férias",
          "Lembretes", "Músicas", "Notas", "Preço do pão", "Reunião às três", "Telefones"]
BIG_TITLE = "Volume grande"
WORDS = ("amanhã reunião café pão maçã você ônibus médico ligar para João às três horas "
         "comprar leite açúcar feijão lembrar pagar conta de luz água é ótimo Ação Érica "
         "avó avô útil lição coração ninguém através também pôr quê Ângela tarefa número "
         "123 45,90 R$ (urgente) e-mail a@b.com 50% #3 sexta-feira ÇÃO Último").split()
# What only a paste brings: characters on no key, one of them outside
# Windows-1252 so that the text is kept in UTF-8.
PASTES = ["Preço: 12,50 € — pago", "nº 7, 2º andar «fundos»", "Temperatura ≈ 30 °C",
          "linha um\nlinha dois\n\tcom tab", "Ações → próximos passos\n· item"]
DEAD_KEYS = {"\u0301": "dead_acute", "\u0300": "dead_grave", "\u0302": "dead_circumflex",
             "\u0303": "dead_tilde", "\u0308": "dead_diaeresis"}
CHECKS = ["idle", "text", "litter", "config", "kept", "places", "windows", "focus"]


class Failed(Exception):
    """A check that did not hold, or an action that did not take effect."""

    def __init__(self, name, message):
        super().__init__(f"{name}: {message}")
        self.name = name
        self.message = message


# --- The X server -----------------------------------------------------------

def run(*args, data=None, timeout=60):
    r = subprocess.run([str(a) for a in args], input=data, stdout=subprocess.PIPE,
                       stderr=DEVNULL, timeout=timeout, check=False)
    return r.stdout.decode("utf-8", "replace")


def xdo(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], stdout=DEVNULL, stderr=DEVNULL,
                   timeout=60, check=False)


Geometry = collections.namedtuple("Geometry", "x y w h viewable override")


def geometry(wid):
    info = run("xwininfo", "-id", wid)
    found = {}
    for key, label in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                       ("w", "Width"), ("h", "Height")):
        m = re.search(rf"{label}:\s+(-?\d+)", info)
        if not m:
            return None
        found[key] = int(m.group(1))
    return Geometry(viewable="IsViewable" in info,
                    override="Override Redirect State: yes" in info, **found)


def eventually(condition, timeout=10.0):
    """The condition's first true answer within the time, or None."""
    end = time.monotonic() + timeout
    while True:
        answer = condition()
        if answer:
            return answer
        if time.monotonic() > end:
            return None
        time.sleep(0.05)


def settled(read, timeout=3.0):
    """A reading that stays the same for a tenth of a second."""
    last = [read()]

    def same():
        time.sleep(0.1)
        now = read()
        stable, last[0] = now == last[0], now
        return stable
    eventually(same, timeout)
    return last[0]


def clipboard():
    return run("xclip", "-selection", "clipboard", "-o", timeout=20)


def set_clipboard(text):
    # xclip leaves a process behind to serve the selection until someone else
    # takes it, and returns before that process has taken it.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(),
                   stdout=DEVNULL, stderr=DEVNULL, timeout=20, check=False)
    if not eventually(lambda: clipboard() == text, 10):
        raise Failed("driver", "xclip does not take the clipboard")


def keys_for(text):
    """xdotool commands that type the text on a Brazilian keyboard: accented
    letters through their dead keys, as a person types them."""
    commands, plain = [], ""
    for ch in text:
        if ch in "\n\t" or ord(ch) > 127:
            if plain:
                commands.append(["type", "--delay", "12", plain])
                plain = ""
        if ch == "\n":
            commands.append(["key", "Return"])
        elif ch == "\t":
            commands.append(["key", "Tab"])
        elif ch == "ç":
            commands.append(["key", "ccedilla"])
        elif ch == "Ç":
            commands.append(["key", "Ccedilla"])
        elif ord(ch) > 127:
            base, mark = unicodedata.normalize("NFD", ch)
            letter = f"shift+{base.lower()}" if base.isupper() else base
            commands.append(["key", "--delay", "12", DEAD_KEYS[mark], letter])
        else:
            plain += ch
    if plain:
        commands.append(["type", "--delay", "12", plain])
    return commands


def type_text(text):
    for command in keys_for(text):
        xdo(*command)


# --- Files ------------------------------------------------------------------

def encode(text):
    """The bytes the program writes for a text: Windows-1252 with CR LF, or
    UTF-8 with its mark where Windows-1252 cannot hold it (or where its bytes
    would read as UTF-8)."""
    crlf = text.replace("\n", "\r\n")
    try:
        data = crlf.encode("cp1252")
    except UnicodeEncodeError:
        return b"\xef\xbb\xbf" + crlf.encode("utf-8")
    if any(b >= 0x80 for b in data):
        try:
            data.decode("utf-8")
            return b"\xef\xbb\xbf" + crlf.encode("utf-8")
        except UnicodeDecodeError:
            pass
    return data


def decode(data):
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8", "replace")
    try:
        return data.decode("utf-8") if any(b >= 0x80 for b in data) else data.decode("latin-1")
    except UnicodeDecodeError:
        return data.decode("cp1252", "replace")


def saved_form(box):
    """A text as a file holds it: every line ended."""
    return box if box.endswith("\n") else box + "\n"


def opened_form(content):
    """A file's text as the box shows it after opening."""
    text = content.replace("\r\n", "\n").replace("\r", "\n")
    return text if not text or text.endswith("\n") else text + "\n"


def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def folded(name):
    return "".join(c for c in unicodedata.normalize("NFD", name.lower())
                   if not unicodedata.combining(c))


def number(value):
    try:
        return float(value)
    except (TypeError, ValueError):
        return None


# --- The program ------------------------------------------------------------

class Program:
    """One running copy of the program and the windows it has shown."""

    def __init__(self, path, log):
        self.path, self.log = path, log
        self.process = None
        self.strip = self.ini = None

    def start(self):
        with open(self.log, "a") as out:
            out.write(f"--- start at {time.strftime('%H:%M:%S')}\n")
            out.flush()
            self.process = subprocess.Popen([self.path], stdout=out, stderr=subprocess.STDOUT,
                                            stdin=DEVNULL)
        self.strip = self.ini = None

    @property
    def pid(self):
        return self.process.pid

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def wait_end(self, timeout=15):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.alive():
            self.process.kill()
            self.process.wait()

    def cpu_ticks(self):
        with open(f"/proc/{self.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])

    def windows(self, visible=True):
        args = ["search", "--onlyvisible"] if visible else ["search"]
        out = run("xdotool", *args, "--pid", self.pid)
        return [int(w) for w in out.split()]


class Soak:
    def __init__(self, steps, seed):
        self.steps, self.seed = steps, seed
        self.rng = random.Random(seed)
        self.work = os.environ["WORK"]
        self.data = os.environ["DATA"]
        self.textos = os.path.join(self.data, "textos")
        self.recovery = os.path.join(self.data, "recuperados")
        self.trash = os.path.join(os.path.dirname(self.data), "Trash", "files")
        self.config_path = os.path.join(self.data, "config.txt")
        self.tray_log = os.environ["TRAY_LOG"]
        w, h = os.environ.get("SCREEN", "1280x800x24").split("x")[:2]
        self.screen = (int(w), int(h))
        skip = os.environ.get("SOAK_SKIP", "")
        self.skip = {s.strip() for s in skip.split(",") if s.strip()}
        self.app = Program(os.environ["APP"], os.path.join(self.work, "app.log"))
        self.history = collections.deque(maxlen=8)
        self.known = collections.Counter()
        self.step = 0

        # The model: what a person who watched every step expects.
        self.box = ""                 # the text box, lines ended by "\n"
        self.caret = 0
        self.saved_box = ""           # the box as last saved or opened
        self.open_name = "*"
        self.texts = {}               # textos/: name -> text as the box shows it
        self.deleted = []             # texts sent to the trash
        self.dropped = []             # texts that must have a recovery copy
        self.collapsed = False
        self.reopen = False           # "Abrir último arquivo editado ao iniciar"
        self.pinned = False
        self.toolbar_focus = False    # the keyboard left in the toolbar by F6
        self.expect_focus = False
        self.ini_place = (67, 67)     # where the collapsed window last stood
        self.config = None            # config.txt's lines as the user left them
        self.places_saved = False     # this step saved where the windows stand

    # --- Reporting

    def say(self, text):
        print(text, flush=True)
        try:
            with open(os.path.join(self.work, "soak.log"), "a") as log:
                log.write(text + "\n")
        except OSError:
            pass

    def did(self, text):
        self.history.append(f"step {self.step}: {text}")
        self.say(f"step {self.step}: {text}")

    def checked(self, name, condition, message):
        """A check: raises unless skipped, where it only tells."""
        if condition:
            return True
        if name in self.skip:
            self.known[name] += 1
            self.say(f"  known fault, skipped: {name}: {message}")
            return False
        raise Failed(name, message)

    # --- Windows

    def tray_icons(self):
        try:
            with open(self.tray_log) as f:
                return [int(line.split()[1]) for line in f if line.startswith("docked ")]
        except OSError:
            return []

    def tray_window(self):
        with open(self.tray_log) as f:
            return next(int(line.split()[1]) for line in f if line.startswith("tray "))

    def classify(self):
        """The program's visible windows: strip, collapsed window, side
        windows and any other (a message box, a menu)."""
        tray = set(self.tray_icons())
        found = {"strip": None, "ini": None, "side": [], "other": [], "popup": []}
        for wid in self.app.windows():
            if wid in tray:
                continue
            g = geometry(wid)
            if not g or not g.viewable:
                continue
            if g.override:
                # Menus and tooltips; a tooltip is one line high.
                if g.h >= 40:
                    found["popup"].append(wid)
            elif wid == self.app.strip:
                found["strip"] = wid
            elif (g.w, g.h) == INI_SIZE and self.app.ini in (None, wid):
                self.app.ini = found["ini"] = wid
            elif (g.w, g.h) == SIDE_SIZE:
                found["side"].append(wid)
            elif self.app.strip is None and g.w >= 294 and g.h >= 225:
                self.app.strip = found["strip"] = wid
            else:
                found["other"].append(wid)
        return found

    def strip_shown(self):
        return self.classify()["strip"]

    def ini_shown(self):
        return self.classify()["ini"]

    def side_window(self):
        sides = self.classify()["side"]
        return sides[0] if len(sides) == 1 else None

    def no_side_window(self):
        return not self.classify()["side"]

    def other_window(self):
        others = self.classify()["other"]
        return others[0] if others else None

    def popup(self):
        popups = self.classify()["popup"]
        return popups[0] if popups else None

    def strip_geometry(self):
        return geometry(self.app.strip)

    def click(self, wid, x, y, button=1):
        xdo("mousemove", "--window", wid, x, y, "click", button)

    def tool(self, name):
        g = self.strip_geometry()
        self.click(self.app.strip, TOOL_X[name], g.h - 13)

    def focus(self):
        out = run("xdotool", "getwindowfocus").strip()
        return int(out) if out.isdigit() else None

    def has_keyboard(self):
        return self.focus() in set(self.app.windows(visible=False))

    def strip_active(self):
        out = run("xdotool", "getactivewindow").strip()
        return out.isdigit() and int(out) == self.app.strip

    def into_text(self, where="end"):
        """The caret into the text box, at its end or its start, as a person
        clicks into it when the strip does not have the keyboard, or now and
        then anyway."""
        if not self.strip_active() or self.rng.random() < 0.2:
            self.click(self.app.strip, 150, 60)
            eventually(self.strip_active, 3)
        elif self.toolbar_focus:
            xdo("key", "Escape")
        self.toolbar_focus = False
        xdo("key", "ctrl+Home" if where == "start" else "ctrl+End")
        self.caret = 0 if where == "start" else len(self.box)

    def open_side(self, tool, route=None):
        """Opens a side window from the toolbar, by the mouse or the keyboard."""
        route = route or ("keyboard" if self.rng.random() < 0.3 else "mouse")
        if route == "mouse":
            self.tool(tool)
        else:
            if not self.strip_active():
                self.click(self.app.strip, 150, 60)
                eventually(self.strip_active, 3)
            if not self.toolbar_focus:
                xdo("key", "F6")
            else:
                xdo("key", "Escape", "F6")
            xdo("key", *(["Tab"] * TOOLS.index(tool)), "space" if route == "keyboard" else "Return")
            self.toolbar_focus = True
        side = eventually(self.side_window)
        if not side:
            raise Failed("enter" if route == "enter" else tool,
                         f"the {tool} button ({route}) opens no side window")
        return side

    def close_side(self, side, how=None):
        how = how or self.rng.choice(["Escape", "Escape", "button"])
        if how == "Escape":
            xdo("key", "Escape")
        else:
            self.click(side, 270, 20)
        if not eventually(self.no_side_window):
            raise Failed("windows", f"the side window stays open after {how}")
        return how

    def replace_field(self, side, x, y, text):
        self.click(side, x, y)
        xdo("key", "End", "shift+Home")
        type_text(text)

    # --- The program's life

    def start_program(self):
        self.app.start()
        lines = self.config_lines()
        minimized = lines is not None and len(lines) >= 6 and lines[5] == "1"
        last = lines[8] if lines and len(lines) >= 9 else None
        self.reopen = last is not None and last != "*"
        self.open_name = last if last is not None else ""
        self.box = opened_form(self.texts.get(last, "")) if self.reopen else ""
        self.saved_box, self.caret = self.box, len(self.box)
        self.collapsed = minimized
        self.toolbar_focus = self.pinned = False
        if lines and len(lines) >= 8:
            parts = lines[7].split("|")
            if len(parts) >= 2 and number(parts[0]) is not None and number(parts[1]) is not None:
                self.ini_place = (round(number(parts[0]) / 15), round(number(parts[1]) / 15))
        shown = eventually(self.ini_shown if minimized else self.strip_shown, 20)
        if not shown:
            raise Failed("start", "the program shows no window")
        lines = self.config_lines()
        if self.config is None and lines and len(lines) == 9:
            # What the first start writes is what the user starts from.
            at = [number(p) for p in lines[7].split("|")] + [None] * 4
            if None not in at[:4]:
                self.config = lines[:7] + [((round(at[0] / 15), round(at[1] / 15)),
                                            (round(at[2] / 15), round(at[3] / 15))), lines[8]]
        self.expect_focus = not minimized

    def restart_after_end(self, action, how):
        status = self.app.wait_end()
        if status is None:
            raise Failed(action, f"the program does not end after {how}")
        self.did(f"{how}: the program ends with status {status}; start it again")
        self.drop_box()
        self.start_again(action)

    def start_again(self, action):
        drafts = [n for n in self.folder(self.recovery) if n.startswith("rascunho")]
        self.start_program()
        if drafts:
            # A crash leaves a draft; the start says where its copy went.
            box = eventually(self.other_window)
            if not box:
                raise Failed(action, "the start after a crash says nothing of the recovered text")
            xdo("windowactivate", "--sync", box)
            xdo("key", "Return")
            if not eventually(lambda: not self.other_window()):
                raise Failed(action, "the recovery notice does not go with Enter")

    def drop_box(self):
        """The box's unsaved text leaves it: a recovery copy must keep it."""
        if self.box and self.box != self.saved_box:
            self.dropped.append(self.box)

    # --- The model's files

    @staticmethod
    def folder(path):
        try:
            return sorted(os.listdir(path))
        except OSError:
            return []

    def config_lines(self):
        data = read_bytes(self.config_path)
        if data is None:
            return None
        return [line for line in re.split(r"\r\n|\r", decode(data)) if line]

    def expect_config(self, lines, places=False):
        self.config = lines
        self.places_saved = places

    def settings_lines(self):
        lines = self.config or self.config_lines()
        return list(lines[:9]) if lines and len(lines) >= 9 else None

    # --- Actions

    def act_type(self):
        where = "start" if self.rng.random() < 0.15 else "end"
        self.into_text(where)
        words = self.rng.sample(WORDS, self.rng.randint(1, 6))
        text = " ".join(words)
        if self.rng.random() < 0.3:
            text += "\n"
        elif where == "end" and self.box and not self.box.endswith("\n"):
            text = " " + text
        type_text(text)
        self.box = self.box[:self.caret] + text + self.box[self.caret:]
        self.caret += len(text)
        self.did(f"type {text!r} at the {where}")

    def act_paste(self):
        self.into_text()
        text = self.rng.choice(PASTES)
        set_clipboard(text)
        xdo("key", "ctrl+v")
        self.box = self.box[:self.caret] + text + self.box[self.caret:]
        self.caret += len(text)
        self.did(f"paste {text!r}")

    def act_bullet(self):
        self.tool("ident")
        head, tail = self.box[:self.caret], self.box[self.caret:]
        bullet = "\u00b7 " if not head or head.endswith("\n") else "\n\u00b7 "
        self.box = head + bullet + tail
        self.caret += len(bullet)
        self.did("bullet")

    def act_ctrl_s(self):
        self.into_text()
        xdo("key", "ctrl+s")
        if self.open_name in ("*", ""):
            side = eventually(self.side_window)
            if not side:
                raise Failed("ctrl-s", "Ctrl+S without an open text opens no save window")
            self.did("Ctrl+S opens the save window")
            self.save_in(side, self.rng.choice(TITLES), "save")
            return
        self.did(f"Ctrl+S on {self.open_name}")
        self.expect_saved(self.open_name)

    def expect_saved(self, name):
        self.texts[name] = saved_form(self.box)
        self.saved_box = self.box
        path = os.path.join(self.textos, name)
        if not eventually(lambda: read_bytes(path) == encode(self.texts[name])):
            raise Failed("text", f"{name} does not hold the box's text after saving")

    def save_in(self, side, title, how):
        """Types a title in the save window and presses "Salvar" or "Salvar
        como"; the window closes, or says why not and is closed by Escape."""
        self.replace_field(side, 145, 96, title)
        name = title.strip() + ".txt"
        taken = name != self.open_name and name in self.texts
        renaming = how == "rename" and self.open_name not in ("*", "")
        self.click(side, 162 if how == "rename" else 248, 150)
        if taken or (renaming and self.open_name not in self.texts and name != self.open_name):
            self.did(f"{how} as {name!r}: refused ({'taken' if taken else 'no file to rename'})")
            if not self.side_window():
                raise Failed(how, "the save window closes after a refused save")
            self.close_side(side, "Escape")
            return
        if renaming:
            if name != self.open_name:
                self.texts[name] = self.texts.pop(self.open_name)
            self.open_name = name
            self.did(f"rename to {name!r}")
            path = os.path.join(self.textos, name)
            if name in self.texts and not eventually(
                    lambda: read_bytes(path) == encode(self.texts[name])):
                raise Failed("text", f"{name} does not hold the renamed text")
        else:
            self.open_name = name
            self.did(f"save as {name!r}")
            self.expect_saved(name)
        if not eventually(self.no_side_window):
            raise Failed(how, "the save window stays open after saving")

    def act_save(self, how="save"):
        side = self.open_side("save")
        self.save_in(side, self.rng.choice(TITLES), how)

    def act_rename(self):
        self.act_save("rename")

    def act_new(self):
        side = self.open_side("save")
        self.click(side, 144, 219)
        self.did("Criar novo arquivo em branco")
        self.drop_box()
        self.box = self.saved_box = ""
        self.caret, self.open_name = 0, "*"
        if not eventually(self.no_side_window):
            raise Failed("new", "the save window stays open")

    def list_order(self):
        return sorted(self.texts, key=lambda n: (folded(n), n))

    def select_row(self, side, row):
        self.click(side, 100, 56)
        if row:
            xdo("key", *(["Down"] * row))

    def opened(self, name, how):
        self.did(f"open {name!r} from the list ({how})")
        self.drop_box()
        self.box = self.saved_box = opened_form(self.texts[name])
        self.caret = len(self.box)
        self.open_name = name
        if self.config:
            lines = list(self.config)
            lines[8] = name if self.reopen else "*"
            self.expect_config(lines)
        if not eventually(self.no_side_window):
            raise Failed("list-open", "the list stays open after opening a text")

    def act_list_open(self):
        names = self.list_order()
        side = self.open_side("list")
        if not names:
            self.did(f"the list is empty; closed by {self.close_side(side)}")
            return
        row = self.rng.randrange(len(names))
        if row == 0 and self.rng.random() < 0.5:
            xdo("mousemove", "--window", side, 100, 56, "click", "--repeat", 2, "--delay", 80, 1)
            self.opened(names[0], "double click")
            return
        self.select_row(side, row)
        xdo("key", "Return")
        self.opened(names[row], "Enter")

    def act_list_keys(self):
        names = self.list_order()
        if not names:
            return self.act_list_open()
        side = self.open_side("list")
        row = self.rng.randrange(len(names))
        if row == len(names) - 1 and row:
            xdo("key", "End")
        elif row < 3:
            xdo("key", "Home", *(["Down"] * row))
        else:
            xdo("key", "End", *(["Up"] * (len(names) - 1 - row)))
        xdo("key", "Return")
        if not eventually(self.no_side_window, 3):
            self.did(f"keys to row {row} of the list, Enter")
            raise Failed("list-keys", f"Home, End and arrows then Enter do not open {names[row]!r}")
        self.opened(names[row], "keys")

    def act_list_delete(self):
        names = self.list_order()
        if not names:
            return self.act_list_open()
        side = self.open_side("list")
        row = self.rng.randrange(len(names))
        name = names[row]
        self.select_row(side, row)
        self.click(side, 255, 242)
        self.did(f"delete {name!r}")
        self.deleted.append(self.texts.pop(name))
        if not eventually(lambda: not os.path.exists(os.path.join(self.textos, name))):
            raise Failed("list-delete", f"{name} stays in textos/")
        self.close_side(side)

    def act_settings(self):
        side = self.open_side("config")
        g = self.strip_geometry()
        lines = self.settings_lines() or ["294", "140", "280", "90", "1", "2", "Arial", "", "*"]
        form = [str(g.w)] + lines[1:7]
        if self.rng.random() < 0.4:
            form[0] = str(self.rng.randint(294, 520))
            self.replace_field(side, 25, 60, form[0])
        if self.rng.random() < 0.4:
            form[1] = str(self.rng.randint(140, 220))
            form[2] = str(int(form[1]) + self.rng.randint(0, 200))
            self.replace_field(side, 25, 86, form[1])
            self.replace_field(side, 25, 111, form[2])
        if self.rng.random() < 0.5:
            form[3] = str(self.rng.randint(40, 100))
            self.replace_field(side, 25, 136, form[3])
        if self.rng.random() < 0.4:
            form[4] = str(self.rng.randint(1, 3))
            self.click(side, {"1": 40, "2": 128, "3": 216}[form[4]], 182)
        if self.rng.random() < 0.3:
            form[5] = self.rng.choice("12")
            self.click(side, 40 if form[5] == "1" else 104, 226)
        if self.rng.random() < 0.4:
            form[6] = self.rng.choice(FONTS)
            self.click(side, 216, 228)
            eventually(self.popup, 3)
            xdo("key", "Home", *(["Down"] * FONTS.index(form[6])), "Return")
            eventually(lambda: not self.popup(), 3)
        if self.rng.random() < 0.15:
            self.click(side, 40, 272)
            self.reopen = not self.reopen
        if self.rng.random() < 0.2:
            self.did(f"settings {form[:7]}, reopen {self.reopen}, not saved: "
                     f"closed by {self.close_side(side)}")
            return
        ini, strip = self.ini_place, (g.x, g.y)
        before = self.config_stamp()
        self.click(side, 249, 270)
        self.did(f"settings {form[:7]}, reopen {self.reopen}, saved")
        if not eventually(lambda: self.config_stamp() != before):
            raise Failed("settings", "\"Salvar\" does not write config.txt")
        self.expect_config(form[:7] + [(ini, strip), self.open_name if self.reopen else "*"], True)
        if not eventually(self.no_side_window):
            raise Failed("settings", "the settings window stays open after saving")

    def config_stamp(self):
        try:
            st = os.stat(self.config_path)
            return (st.st_ino, st.st_mtime_ns, st.st_size)
        except OSError:
            return None

    def act_about(self):
        side = self.open_side("about")
        self.did(f"About window, closed by {self.close_side(side)}")

    def act_enter(self):
        tool = self.rng.choice(["save", "list", "config", "about"])
        side = self.open_side(tool, "enter")
        self.did(f"Enter on the focused {tool} button; closed by {self.close_side(side)}")

    def act_pin(self):
        self.tool("top")
        self.pinned = not self.pinned
        self.did(f"pin {'on' if self.pinned else 'off'}")
        want = self.pinned

        def state():
            return ("_NET_WM_STATE_ABOVE" in run("xprop", "-id", self.app.strip,
                                                  "_NET_WM_STATE")) == want
        if not eventually(state):
            raise Failed("pin", "the strip's place in front does not follow the pin")

    def act_positions(self):
        before = self.config_stamp()
        g = self.strip_geometry()
        lines = self.settings_lines()
        self.tool("positions")
        self.did(f"positions button, strip at {g.x},{g.y} {g.w} wide, "
                 f"collapsed window last at {self.ini_place[0]},{self.ini_place[1]}")
        if not eventually(lambda: self.config_stamp() != before):
            raise Failed("positions", "the positions button does not write config.txt")
        if lines:
            self.expect_config([str(g.w)] + lines[1:7] +
                               [(self.ini_place, (g.x, g.y)), self.open_name if self.reopen else "*"],
                               True)

    def act_drag(self):
        g = self.strip_geometry()
        sw, sh = self.screen
        tx = self.rng.randint(0, max(0, sw - g.w))
        # Below the panel along the top edge, where the notification area is.
        ty = self.rng.randint(PANEL, max(PANEL, sh - g.h - 40))
        xdo("mousemove", "--window", self.app.strip, 60, 8, "mousedown", 1)
        xdo("mousemove", (g.x + 60 + tx + 60) // 2, (g.y + 8 + ty + 8) // 2)
        xdo("mousemove", tx + 60, ty + 8, "mouseup", 1)
        self.did(f"drag the strip from {g.x},{g.y} to {tx},{ty}")

        def there():
            n = self.strip_geometry()
            return abs(n.x - tx) <= 1 and abs(n.y - ty) <= 1
        if not eventually(there):
            n = self.strip_geometry()
            raise Failed("drag", f"the strip stands at {n.x},{n.y}")

    def act_resize(self):
        g = self.strip_geometry()
        sw = self.screen[0]
        right = g.x + g.w
        if self.rng.random() < 0.5 and right >= 294:
            width = self.rng.randint(294, min(700, right))
            xdo("mousemove", "--window", self.app.strip, 3, 100, "mousedown", 1)
            xdo("mousemove", right - width + 20, g.y + 110)
            xdo("mousemove", right - width, g.y + 100, "mouseup", 1)
            edge = "left"
        else:
            width = self.rng.randint(294, max(294, min(700, sw - g.x)))
            xdo("mousemove", "--window", self.app.strip, g.w - 3, 100, "mousedown", 1)
            xdo("mousemove", g.x + width - 20, g.y + 110)
            xdo("mousemove", g.x + width, g.y + 100, "mouseup", 1)
            edge = "right"
        self.did(f"resize by the {edge} edge from {g.w} to {width}")
        if not eventually(lambda: abs(self.strip_geometry().w - width) <= 1):
            raise Failed("resize", f"the strip is {self.strip_geometry().w} wide")

    def act_maximize(self):
        g = self.strip_geometry()
        xdo("mousemove", "--window", self.app.strip, 40, 8, "click", "--repeat", 2,
            "--delay", 60, 1)
        self.did(f"double click on the strip, {g.w} wide")
        # A strip already as wide as the maximized width (the screen less 20
        # pixels) keeps it and only goes to the left edge, 200 twips.
        widest = g.w == self.screen[0] - 20
        if not eventually(lambda: self.strip_geometry().w != g.w or
                          (widest and self.strip_geometry().x == 13)):
            raise Failed("maximize", "a double click leaves the width as it was")
        settled(self.strip_geometry)

    def collapsed_now(self, how):
        self.did(f"collapse ({how})")
        if not eventually(lambda: self.ini_shown() and not self.strip_shown()):
            raise Failed("collapse", f"collapsing by {how} does not show the collapsed window")
        self.collapsed, self.toolbar_focus = True, False
        g = geometry(self.app.ini)
        self.checked("places", abs(g.x - self.ini_place[0]) <= 1 and
                     abs(g.y - self.ini_place[1]) <= 1,
                     f"the collapsed window shows at {g.x},{g.y}; it last stood at "
                     f"{self.ini_place[0]},{self.ini_place[1]}")
        self.ini_place = (g.x, g.y)

    def act_collapse(self):
        if self.rng.random() < 0.3:
            if not self.strip_active():
                self.click(self.app.strip, 150, 60)
                eventually(self.strip_active, 3)
            xdo("key", "Escape" if self.toolbar_focus else "F6")
            if self.toolbar_focus:
                xdo("key", "F6")
            xdo("key", *(["Tab"] * len(TOOLS)), "space")
            self.collapsed_now("keyboard")
        else:
            g = self.strip_geometry()
            self.click(self.app.strip, g.w // 2, 25)
            self.collapsed_now("mouse")

    def expanded_now(self, how):
        self.did(f"expand ({how})")
        if not eventually(lambda: self.strip_shown() and not self.ini_shown()):
            raise Failed(how, f"{how} does not bring the strip back")
        self.collapsed = False
        self.expect_focus = True

    def act_expand(self):
        self.click(self.app.ini, 28, 38)
        self.expanded_now("expand")

    def tray_menu(self, item):
        icons = self.tray_icons()
        if not icons:
            raise Failed("tray-show", "no icon in the notification area")
        # A panel stands above the windows, a pinned strip too.
        xdo("windowraise", self.tray_window())
        xdo("mousemove", "--window", icons[-1], 12, 12, "click", 3)
        menu = eventually(self.popup)
        if not menu:
            raise Failed("tray-show", "a right click on the icon opens no menu")
        # A click on the item: keys may come before the menu has the keyboard.
        g = geometry(menu)
        self.click(menu, g.w // 2, g.h * (2 * item - 1) // 4)

    def act_tray_show(self):
        self.tray_menu(1)
        self.expanded_now("tray-show")

    def act_launch(self):
        with open(os.path.join(self.work, "second.log"), "a") as out:
            second = subprocess.Popen([self.app.path], stdout=out, stderr=subprocess.STDOUT,
                                      stdin=DEVNULL)
            try:
                status = second.wait(15)
            except subprocess.TimeoutExpired:
                second.kill()
                second.wait()
                raise Failed("launch", "a second launch does not end") from None
        if status != 0:
            raise Failed("launch", f"a second launch ends with status {status}")
        self.expanded_now("launch")

    def act_drag_collapsed(self):
        g = geometry(self.app.ini)
        button = self.rng.choice([1, 2, 3])
        sw, sh = self.screen
        dx = self.rng.randint(-g.x, sw - 56 - g.x) // 2
        dy = self.rng.randint(PANEL - g.y, max(PANEL - g.y, sh - 56 - g.y)) // 2
        # The program moves the window itself while the button is held.
        xdo("mousemove", "--window", self.app.ini, 10, 10, "mousedown", button)
        xdo("mousemove_relative", "--", dx, dy)
        xdo("mousemove_relative", "--", dx, dy)
        xdo("mouseup", button)
        self.did(f"drag the collapsed window with button {button} by {2 * dx},{2 * dy}")
        if (dx, dy) != (0, 0) and not eventually(
                lambda: (geometry(self.app.ini).x, geometry(self.app.ini).y) != (g.x, g.y)):
            raise Failed("drag-collapsed", "the collapsed window does not follow the drag")
        n = settled(lambda: geometry(self.app.ini))
        self.ini_place = (n.x, n.y)

    def act_close(self):
        if self.collapsed:
            how = self.rng.choice(["tray", "window manager"])
        else:
            how = self.rng.choice(["power button", "tray", "Alt+F4"])
        if how == "power button":
            self.tool("close")
        elif how == "tray":
            self.tray_menu(2)
        elif how == "Alt+F4":
            if not self.strip_active():
                self.click(self.app.strip, 150, 60)
                eventually(self.strip_active, 3)
            xdo("key", "alt+F4")
        else:
            run("wmctrl", "-i", "-c", hex(self.app.ini))
        self.restart_after_end("close", how)

    def act_term(self):
        os.kill(self.app.pid, 15)
        self.restart_after_end("term", "kill -TERM")

    def act_kill9(self):
        """A kill in the middle of saving a large text, once its draft is on
        the disk: either the old or the new text is in the file, the draft
        keeps the new one, and nothing of the save is left behind."""
        if self.open_name in ("*", "") or self.open_name not in self.texts:
            side = self.open_side("save", "mouse")
            self.save_in(side, BIG_TITLE, "save")
            if self.open_name != BIG_TITLE + ".txt":
                return
        self.into_text()
        if len(self.box) < 1_000_000:
            text = "".join(f"linha {i:06d} de um texto grande, com acentuação\n"
                           for i in range(40000))
            set_clipboard(text)
            xdo("key", "ctrl+v")
        else:
            text = "fim\n"
            type_text(text)
        self.box = self.box[:self.caret] + text + self.box[self.caret:]
        self.caret += len(text)
        name, old = self.open_name, self.texts[self.open_name]
        draft = encode(saved_form(self.box))

        def drafted():
            return any(read_bytes(os.path.join(self.recovery, n)) == draft
                       for n in self.folder(self.recovery) if n.startswith("rascunho"))
        if not eventually(drafted, 20):
            raise Failed("text", "no draft of the unsaved text a while after typing")
        # Most saves of this size take a few tens of milliseconds.
        delay = round(self.rng.uniform(0, 0.03), 3)
        xdo("key", "ctrl+s")
        # When the kill falls is what the step tries, not a wait for a result.
        time.sleep(delay)
        os.kill(self.app.pid, 9)
        self.app.wait_end()
        self.did(f"{len(text)} characters more in {name!r}, Ctrl+S, kill -KILL {delay} s later")
        now = read_bytes(os.path.join(self.textos, name))
        new = saved_form(self.box)
        self.checked("text", now in (encode(old), encode(new)),
                     f"{name} is neither the old nor the new text after a kill right after Ctrl+S")
        self.texts[name] = new if now == encode(new) else old
        if now != encode(new):
            # The save did not land: the draft, adopted at the next start, keeps the text.
            self.dropped.append(self.box)
        self.start_again("kill9")

    ACTIONS = {
        # name: (weight, needs the strip (True), the collapsed window (False), or either (None))
        "type": (30, True), "paste": (8, True), "ctrl-s": (10, True), "bullet": (4, True),
        "save": (6, True), "rename": (4, True), "new": (4, True), "list-open": (6, True),
        "list-keys": (2, True), "list-delete": (3, True), "settings": (4, True),
        "about": (2, True), "enter": (2, True), "pin": (2, True), "positions": (5, True),
        "drag": (4, True), "resize": (3, True), "maximize": (1, True), "collapse": (5, True),
        "expand": (6, False), "tray-show": (3, None), "launch": (2, None),
        "drag-collapsed": (3, False), "close": (2, None), "term": (2, None), "kill9": (1, True),
    }

    def choose(self):
        names, weights = [], []
        for name, (weight, needs_strip) in self.ACTIONS.items():
            if name in self.skip:
                continue
            if needs_strip is not None and needs_strip == self.collapsed:
                continue
            names.append(name)
            weights.append(weight)
        return self.rng.choices(names, weights)[0]

    # --- Checks

    def check_focus(self, had):
        if not (had or self.expect_focus):
            return
        if eventually(self.has_keyboard, 2):
            return
        focus = self.focus()
        self.checked("focus", False, f"the keyboard is in window {focus}, not in the program's")
        # Skipped: the user clicks the program's window to get on.
        if self.collapsed:
            self.click(self.app.ini, 5, 5)
        else:
            self.click(self.app.strip, 150, 60)
            xdo("key", "ctrl+End")
            self.caret = len(self.box)
        eventually(self.has_keyboard, 3)

    def check_windows(self):
        w = self.classify()
        want, other = ("ini", "strip") if self.collapsed else ("strip", "ini")
        self.checked("windows", w[want] and not w[other],
                     f"the {want} should show alone; shown: {w}")
        self.checked("windows", not w["side"] and not w["other"],
                     f"windows nobody asked for: {w['side'] + w['other']}")
        sw, sh = self.screen
        for wid in filter(None, [w["strip"], w["ini"], *w["side"], *w["other"]]):
            g = geometry(wid)
            if not g:
                continue
            seen_w = min(g.x + g.w, sw) - max(g.x, 0)
            seen_h = min(g.y + g.h, sh) - max(g.y, 0)
            self.checked("windows", seen_w >= min(24, g.w) and seen_h >= min(24, g.h) and g.y >= 0,
                         f"window {wid} at {g.x},{g.y} {g.w}x{g.h} is off the screen")

    def litter(self):
        found = []
        for folder, _, files in os.walk(self.data):
            found += [os.path.join(folder, f) for f in files
                      if f.startswith(" ~") and f.endswith(".tmp")]
        return set(found)

    def check_litter(self):
        # A draft may be on its way to the disk this very moment: only what
        # stays is litter.
        first = self.litter()
        if first and eventually(lambda: not first & self.litter(), 1.5):
            return
        left = first & self.litter()
        self.checked("litter", not left, f"temporary files left behind: {sorted(left)}")

    def check_config(self):
        lines = self.config_lines()
        data = read_bytes(self.config_path) or b""
        self.checked("config", lines is not None and data.endswith(b"\r\n"),
                     "config.txt is missing or not ended by CR LF")
        if lines is None:
            return
        problems = []
        if len(lines) != 9:
            problems.append(f"{len(lines)} lines")
        lines = (lines + [""] * 9)[:9]
        n = [number(v) for v in lines[:6]]
        if n[0] is None or n[0] < 294:
            problems.append(f"width {lines[0]!r}")
        if n[1] is None or n[1] < 140:
            problems.append(f"minimum height {lines[1]!r}")
        if n[2] is None or n[1] is None or n[2] < n[1]:
            problems.append(f"maximum height {lines[2]!r}")
        if n[3] is None or not 0 <= n[3] <= 100:
            problems.append(f"transparency {lines[3]!r}")
        if lines[4] not in ("1", "2", "3"):
            problems.append(f"side {lines[4]!r}")
        if lines[5] not in ("1", "2"):
            problems.append(f"minimized start {lines[5]!r}")
        if lines[6] not in FONTS:
            problems.append(f"font {lines[6]!r}")
        parts = lines[7].split("|")
        if len(parts) != 4 or any(number(p) is None for p in parts):
            problems.append(f"positions {lines[7]!r}")
        if lines[8] != "*" and (not lines[8] or "/" in lines[8]):
            problems.append(f"last text {lines[8]!r}")
        self.checked("config", not problems, "config.txt does not read back: " + ", ".join(problems))
        want = self.config
        if not want or problems:
            return
        # Numbers as numbers: "294" and "294.0" are the same width.
        changed = [i for i in range(7) if lines[i] != want[i] and
                   (i > 3 or number(lines[i]) != number(want[i]))]
        if lines[8] != want[8]:
            changed.append(8)
        (ini, strip), at = want[7], [number(p) / 15 for p in parts]
        if any(abs(a - b) > 1.01 for a, b in zip(at, [*ini, *strip])):
            where = (f"line 8 is {lines[7]!r} (pixels {','.join(f'{a:g}' for a in at)}); "
                     f"the collapsed window stood at {ini[0]},{ini[1]} and the strip at "
                     f"{strip[0]},{strip[1]}")
            if self.places_saved:
                self.checked("places", False, where)
            else:
                changed.append(7)
            want[7] = ((round(at[0]), round(at[1])), (round(at[2]), round(at[3])))
        self.places_saved = False
        if changed:
            said = "; ".join(where if i == 7 else f"line {i + 1} is {lines[i]!r}, saved {want[i]!r}"
                             for i in changed)
            self.checked("kept", False, f"config.txt lost what the user saved: {said}")
            for i in changed:
                if i != 7:
                    want[i] = lines[i]

    def check_idle(self):
        samples = []
        for _ in range(3):
            before = self.app.cpu_ticks()
            # The second measured, not a wait for something to happen.
            time.sleep(1)
            used = (self.app.cpu_ticks() - before) / TICKS
            samples.append(used)
            if used < 0.02:
                return
        self.checked("idle", False, f"CPU seconds used in three seconds of rest: {samples}")

    def read_box(self):
        """The box's text, through the clipboard (Ctrl+A, Ctrl+C)."""
        if not self.strip_active():
            self.click(self.app.strip, 150, 60)
            eventually(self.strip_active, 3)
        xdo("key", "Escape")
        self.toolbar_focus = False
        sentinel = f"soak: not copied yet, step {self.step}"
        set_clipboard(sentinel)
        xdo("key", "ctrl+a", "ctrl+c")
        got = eventually(lambda: (lambda c: c if c != sentinel else None)(clipboard()),
                         5 if self.box else 0.5)
        xdo("key", "ctrl+End")
        self.caret = len(self.box)
        return got if got is not None else ""

    def check_text(self):
        # The text folder holds what was saved, byte for byte.
        present = {n for n in self.folder(self.textos) if not n.startswith(" ~")}
        self.checked("text", present == set(self.texts),
                     f"textos/ holds {sorted(present)}, saved were {sorted(self.texts)}")
        for name in sorted(present & set(self.texts)):
            data = read_bytes(os.path.join(self.textos, name))
            if not self.checked("text", data == encode(self.texts[name]),
                                f"{name} does not hold its saved text "
                                f"({len(data or b'')} bytes, {len(encode(self.texts[name]))} saved)"):
                self.texts[name] = opened_form(decode(data or b""))
        for name in present - set(self.texts):
            self.texts[name] = opened_form(decode(read_bytes(os.path.join(self.textos, name)) or b""))
        for name in set(self.texts) - present:
            del self.texts[name]
        # Text that left the box unsaved has its recovery copy.
        if self.dropped:
            copies = {read_bytes(os.path.join(self.recovery, n))
                      for n in self.folder(self.recovery) if not n.startswith("rascunho")}
            for text in self.dropped:
                self.checked("text", encode(saved_form(text)) in copies,
                             f"unsaved text of {len(text)} characters has no recovery copy: "
                             f"{text[:60]!r}")
            self.dropped = []
        if self.deleted:
            trashed = {read_bytes(os.path.join(self.trash, n)) for n in self.folder(self.trash)}
            for text in self.deleted:
                self.checked("text", encode(text) in trashed, "a deleted text is not in the trash")
            self.deleted = []
        # The box holds what was typed.
        if self.collapsed:
            return
        box = self.read_box()
        if box != self.box:
            at = next((i for i, (a, b) in enumerate(zip(box, self.box)) if a != b),
                      min(len(box), len(self.box)))
            active = run("xdotool", "getactivewindow").strip()
            self.checked("text", False,
                         f"the box differs from what was typed at character {at}: "
                         f"{box[max(0, at - 20):at + 30]!r}, expected "
                         f"{self.box[max(0, at - 20):at + 30]!r} (read through the clipboard "
                         f"with the strip {self.app.strip} {self.strip_geometry()}, the keyboard "
                         f"in {self.focus()}, the active window {active})")
            self.box = box
            self.caret = len(box)

    def check_all(self, had_keyboard):
        self.check_focus(had_keyboard)
        self.check_windows()
        self.check_litter()
        self.check_config()
        self.check_idle()
        self.check_text()

    # --- The run

    def run(self):
        self.say(f"soak: {self.steps} steps, seed {self.seed}")
        for name in sorted(self.skip):
            kind = "check" if name in CHECKS else "action" if name in self.ACTIONS else "unknown name"
            self.say(f"soak: skipping the {kind} {name!r} (SOAK_SKIP)")
        started = time.monotonic()
        try:
            self.start_program()
            self.check_all(False)
            for self.step in range(1, self.steps + 1):
                action = self.choose()
                had = self.has_keyboard()
                self.expect_focus = False
                getattr(self, "act_" + action.replace("-", "_"))()
                self.check_all(had)
        except Failed as failure:
            self.report(failure)
            return 1
        except Exception as error:  # a broken driver is a failure too, with its place
            self.report(Failed("driver", f"{type(error).__name__}: {error}"))
            raise
        finally:
            self.app.stop()
        known = ", ".join(f"{n} {c} times" for n, c in sorted(self.known.items())) or "none"
        self.say(f"soak: {self.steps} steps passed in {time.monotonic() - started:.0f} s "
                 f"(seed {self.seed}); skipped checks that failed: {known}")
        return 0

    def report(self, failure):
        self.say(f"FAIL at step {self.step} (seed {self.seed}): {failure}")
        self.say("the last actions:")
        for line in self.history:
            self.say("  " + line)
        if self.app.alive():
            shown = ", ".join(f"{w} {g.w}x{g.h}+{g.x}+{g.y}" for w in self.app.windows()
                              if (g := geometry(w)))
            self.say(f"the program (pid {self.app.pid}) runs; its windows on the screen: "
                     f"{shown or 'none'}; the keyboard is in {self.focus()}")
        else:
            self.say(f"the program has ended with status {self.app.process.returncode}")
        run("import", "-window", "root", os.path.join(self.work, f"step-{self.step}.png"))
        skip = f"SOAK_SKIP={','.join(sorted(self.skip))} " if self.skip else ""
        self.say(f"replay: {skip}tests/e2e/soak.sh {self.steps} {self.seed}")
        self.say(f"screenshot: {self.work}/step-{self.step}.png; "
                 f"the program's output: {self.work}/app.log")


if __name__ == "__main__":
    sys.exit(Soak(int(sys.argv[1]), int(sys.argv[2])).run())
