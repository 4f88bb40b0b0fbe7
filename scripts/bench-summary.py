#!/usr/bin/python3
# Prints the summary of scripts/bench-directory.sh from its raw lines: for each domain, the medians of
# the interleaved rounds with their ratios, and where Generate's time goes in the profiled runs.
#   bench-summary.py RAW_FILE ROUNDS USERS...
# A raw line is "name=value" words with the tool's name among them, one line a run:
#   users=1000 round=2 generate columns=6 rows=1011 seconds=1.234 fill=... peak=41.0
#   users=1000 round=p1 columns=6 profile generate total=1.234/1 next-row=0.210/1011 ...
# where a profiled figure is seconds/calls.
import re
import sys

# The column counts bench-directory.sh measures (its COLUMN_COUNTS).
COLUMN_COUNTS = (6, 17)
PROFILE_KEYS = ("total before-search execute rows after-last-row final-paint execute-cpu open preferences first-row "
                "next-row get-column free-column close-handle insert-item set-item-text set-redraw paint other-list "
                "uncounted-in-rows").split()


class Run:
    def __init__(self, line):
        self.line = line
        self.words = line.split()
        self.fields = {}
        for word in self.words:
            name, eq, value = word.partition("=")
            if eq:
                self.fields[name] = value

    def matches(self, **wanted):
        return all(self.fields.get(name) == str(value) for name, value in wanted.items())

    def seconds(self, name):
        """The figure without its calls (what follows a "/")."""
        return self.fields[name].split("/")[0] if name in self.fields else None

    def calls(self, name):
        value = self.fields.get(name, "")
        return value.rsplit("/", 1)[1] if "/" in value else None


def median(values, form="%.3f"):
    values = sorted(float(v) for v in values)
    if not values:
        return "-"
    middle = len(values) // 2
    m = values[middle] if len(values) % 2 else (values[middle - 1] + values[middle]) / 2
    return form % m


def ratio(a, b):
    if a == "-" or b == "-" or float(b) == 0:
        return "-"
    return "%.2f" % (float(a) / float(b))


def distinct(values):
    return "|".join(sorted(set(values)))


class Domain:
    def __init__(self, runs, users):
        self.users = users
        self.runs = [r for r in runs if r.matches(users=users)]
        self.timed = [r for r in self.runs if re.fullmatch(r"[0-9]*", r.fields.get("round", "-"))]
        self.profiled = [r for r in self.runs if r.fields.get("round", "").startswith("p")]

    def round_values(self, tool, name, columns):
        """One field of one tool's timed rounds at these columns, every value in the order run."""
        return [v for r in self.timed if len(r.words) > 2 and r.words[2] == tool and r.matches(columns=columns)
                for v in [r.seconds(name)] if v is not None]

    def round_median(self, tool, name, columns, form="%.3f"):
        return median(self.round_values(tool, name, columns), form)

    def profile_runs(self, tool, columns):
        return [r for r in self.profiled if "profile" in r.words and r.words.index("profile") + 1 < len(r.words)
                and r.words[r.words.index("profile") + 1] == tool and r.matches(columns=columns)]

    def profile_median(self, tool, name, columns):
        return median(v for r in self.profile_runs(tool, columns) for v in [r.seconds(name)] if v is not None)

    def profile_calls(self, tool, name, columns):
        return distinct(c for r in self.profile_runs(tool, columns) for c in [r.calls(name)] if c is not None)


def print_rounds(domain, rounds):
    print()
    print(f"== {domain.users} bulk users: medians of {rounds} interleaved rounds (seconds; working sets in MB)")
    row = "%-7s %-20s %-6s %8s %7s %6s %8s %10s %8s %8s %7s %9s %10s %9s%s"
    print(row % ("columns", "rows gen/adsi/ldap", "runs", "generate", "(fill", "paint)", "adsi", "ldapsearch",
                 "gen/adsi", "gen/ldap", "export", "peak gen", "peak +csv", "peak adsi", ""))
    for c in COLUMN_COUNTS:
        rows = [distinct(domain.round_values(t, "rows", c)) for t in ("generate", "adsi", "ldapsearch")]
        flag = "" if rows[0] == rows[1] == rows[2] else "  ROWS DIFFER"
        if any(r.matches(columns=c) and "failed" in r.fields for r in domain.runs):
            flag += "  SOME RUNS FAILED (see the raw lines)"
        g, a, l = (domain.round_median(t, "seconds", c) for t in ("generate", "adsi", "ldapsearch"))
        runs = "/".join(str(len(domain.round_values(t, "seconds", c))) for t in ("generate", "adsi", "ldapsearch"))
        print(row % (c, "/".join(rows), runs, g, domain.round_median("generate", "fill", c),
                     domain.round_median("generate", "paint", c), a, l, ratio(g, a), ratio(g, l),
                     domain.round_median("generate", "export", c),
                     domain.round_median("generate", "peak-generate", c, "%.1f"),
                     domain.round_median("generate", "peak", c, "%.1f"),
                     domain.round_median("adsi", "peak", c, "%.1f"), flag))


# Generate against its floor: the bare search asking for "*" and reading the same attributes, plus
# the bare fill of the list with the same cells (measured in Generate's own process, after it).
def print_floor(domain, columns=17):
    g = domain.round_median("generate", "seconds", columns)
    a = domain.round_median("adsi", "seconds", columns)
    f = domain.round_median("generate", "bare-fill", columns)
    if "-" in (g, a, f):
        return
    floor = "%.3f" % (float(a) + float(f))
    print(f"{columns} columns: Generate {g} s against the floor {floor} s (bare search {a} s + bare fill {f} s):"
          f" ratio {ratio(g, floor)}")


def print_profile(domain):
    print("-- where the time goes: medians of the profiled runs (seconds; calls)")
    print("%-18s" % "part" + "".join("%14s %14s" % (f"generate {c}", f"adsi {c}") for c in COLUMN_COUNTS))
    for key in PROFILE_KEYS:
        cells = []
        for c in COLUMN_COUNTS:
            for tool in ("generate", "adsi"):
                value, calls = domain.profile_median(tool, key, c), domain.profile_calls(tool, key, c)
                cells.append("%15s" % (f"{value} ({calls})" if calls else value))
        print("%-18s" % key + "".join(cells))


# Generate's time beyond the bare search, from the medians of the profiled runs, stretch by stretch.
def print_stretches(domain):
    names = ("total before-search execute rows after-last-row final-paint insert-item set-item-text "
             "uncounted-in-rows next-row get-column free-column").split()
    for c in COLUMN_COUNTS:
        gm = {k: domain.profile_median("generate", k, c) for k in names}
        am = {k: domain.profile_median("adsi", k, c) for k in names}
        if gm["total"] == "-" or am["total"] == "-":
            continue
        # A figure no profiled run gave counts as none.
        g = {k: 0.0 if v == "-" else float(v) for k, v in gm.items()}
        a = {k: 0.0 if v == "-" else float(v) for k, v in am.items()}
        print("%s columns: Generate %.3f s, bare search %.3f s: %+.3f s, stretch by stretch:"
              % (c, g["total"], a["total"], g["total"] - a["total"]))
        print("  before the search %+.3f (Generate also clears the list, reads its headers, locks the window)"
              % (g["before-search"] - a["before-search"]))
        print("  ExecuteSearch     %+.3f (the same call in both)" % (g["execute"] - a["execute"]))
        print("  the rows          %+.3f = list inserts %.3f + cell texts to the list %.3f + making the cell texts %+.3f"
              % (g["rows"] - a["rows"], g["insert-item"], g["set-item-text"],
                 g["uncounted-in-rows"] - a["uncounted-in-rows"]))
        print("                            + GetNextRow/GetColumn/FreeColumn %+.3f"
              % (g["next-row"] + g["get-column"] + g["free-column"]
                 - a["next-row"] - a["get-column"] - a["free-column"]))
        print("  after the last row %+.3f (Generate also unlocks the window and writes the count)"
              % (g["after-last-row"] - a["after-last-row"]))
        print("  the final paint   %+.3f" % g["final-paint"])


def main():
    if len(sys.argv) < 4:
        sys.exit("usage: bench-summary.py RAW_FILE ROUNDS USERS...")
    raw, rounds, sizes = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(raw, encoding="utf-8", errors="replace") as file:
        runs = [Run(line) for line in file if line.strip()]
    print()
    print("Baselines: the bare ADSI search in a windowless process, and ldapsearch (OpenLDAP, simple bind")
    print("over LDAPS, -E pr=1000/noprompt, all attributes, LDIF written to a file). Everything ran inside")
    print("each domain's network namespace; Wine with LDAPREFERRALS=off, Xvfb and the wineserver there too.")
    print("generate = press to the list filled (fill) and painted (paint); ratios are of the medians; runs =")
    print("the runs that gave a figure (generate/adsi/ldapsearch); peak gen = Generate's peak working set")
    print("before the export, peak +csv = after it.")
    for users in sizes:
        domain = Domain(runs, users)
        print_rounds(domain, rounds)
        print_floor(domain)
        if domain.profiled:
            print_profile(domain)
            print_stretches(domain)
    print()
    print(f"Raw lines: {raw}")


if __name__ == "__main__":
    main()
