#!/usr/bin/python3
# Prints the test domain's seed LDIF: the special users of seed-special.ldif (its comment lines left
# out), then the bulk users. "plain" bulk users have a name and a few columns; "full" ones look like a
# directory of people, with a value in most catalogue columns. domain.sh runs this at every start:
# the seed keys the domain's cache, so the same arguments must give the same bytes.
#   seed.py USERS plain|full BASE_DN DNS_DOMAIN
import sys
from pathlib import Path

FIRST = ("James Mary Robert Patricia John Jennifer Michael Linda David Elizabeth William Barbara Richard Susan "
         "Joseph Jessica Thomas Sarah Charles Karen Daniel Nancy Matthew Lisa Anthony Betty Mark Margaret Donald "
         "Sandra Steven Ashley Paul Kimberly Andrew Emily Joshua Donna").split()
LAST = ("Smith Johnson Williams Brown Jones Garcia Miller Davis Rodriguez Martinez Hernandez Lopez Gonzalez Wilson "
        "Anderson Thomas Taylor Moore Jackson Martin Lee Perez Thompson White Harris Sanchez Clark Ramirez Lewis "
        "Robinson Walker Young Allen King Wright Scott Torres Nguyen Hill").split()
TITLES = ["Accounts Payable Clerk", "Sales Manager", "Software Engineer", "Help Desk Technician", "HR Advisor",
          "Marketing Coordinator", "Warehouse Supervisor", "Financial Analyst", "Legal Counsel", "Project Manager",
          "Network Administrator", "Customer Service Representative"]
DEPARTMENTS = ["Finance", "Sales", "Engineering", "IT Services", "Human Resources", "Marketing", "Logistics", "Legal"]
CITIES = ["London", "Manchester", "Birmingham", "Leeds", "Glasgow", "Bristol", "Liverpool", "Edinburgh", "Cardiff",
          "Belfast"]
COUNTIES = ["Greater London", "Greater Manchester", "West Midlands", "West Yorkshire", "Lanarkshire", "Avon",
            "Merseyside", "Midlothian", "Glamorgan", "Antrim"]
STREETS = ["Station Road", "High Street", "Church Lane", "Victoria Road", "Green Lane", "Manor Road", "Park Avenue",
           "Mill Lane"]


def letter(n):
    return chr(ord("A") + n % 26)


def entry_start(cn, account, base):
    return f"\ndn: CN={cn},OU=Quorrex Seed,{base}\nobjectClass: user\ncn: {cn}\nsAMAccountName: {account}\n"


def plain_user(i, base, dns):
    n = f"{i:04d}"
    lines = [entry_start(f"Bulk User {n}", f"bulk{n}", base),
             f"givenName: Bulk{n}\nsn: User\ndisplayName: Bulk User {n}\n"]
    # Some rows differ in which columns are empty.
    if i % 3 == 0:
        lines.append(f"description: Bulk user number {i}, every third\n")
    if i % 7 == 0:
        lines.append("initials: B\n")
    lines.append(f"userPrincipalName: bulk{n}@{dns}\n")
    return "".join(lines)


# Names, titles, offices, phones, mail, addresses, some web pages and post boxes, and a few columns
# empty here and there; every value follows from the user's number alone.
def full_user(i, base, dns):
    n = f"{i:06d}"
    first, last = FIRST[i * 7 % len(FIRST)], LAST[i // len(FIRST) % len(LAST)]
    place = i * 3 % 10
    lines = [entry_start(f"Bulk User {n}", f"bulk{n}", base),
             f"givenName: {first}\nsn: {last}\ndisplayName: {first} {last}\n"]
    if i % 5 != 0:
        lines.append(f"initials: {letter(i * 11)}\n")
    if i % 10 != 0:
        lines.append(f"description: {TITLES[i % 12]}, {DEPARTMENTS[i % 8]}\n")
    lines.append(f"physicalDeliveryOfficeName: Building {i % 9 + 1} Room {100 + i % 400}\n")
    lines.append(f"telephoneNumber: +44 {20 + i % 80} {i * 37 % 10000:04d} {i % 10000:04d}\n")
    lines.append(f"mail: {first.lower()}.{last.lower()}.{n}@{dns}\n")
    if i % 4 == 0:
        lines.append(f"url: https://intranet.{dns}/people/bulk{n}\n")
    lines.append(f"streetAddress: {i % 250 + 1} {STREETS[i % 8]}\n")
    if i % 3 == 0:
        lines.append(f"postOfficeBox: PO Box {1000 + i % 9000}\n")
    postcode = f"{letter(i)}{letter(i // 26)}{i % 20 + 1} {i % 10}{letter(i * 7)}{letter(i * 5)}"
    lines.append(f"l: {CITIES[place]}\nst: {COUNTIES[place]}\npostalCode: {postcode}\nco: United Kingdom\n")
    lines.append(f"userPrincipalName: bulk{n}@{dns}\n")
    return "".join(lines)


def main():
    if len(sys.argv) != 5 or sys.argv[2] not in ("plain", "full") or not sys.argv[1].isdigit():
        sys.exit("usage: seed.py USERS plain|full BASE_DN DNS_DOMAIN")
    users, variant, base, dns = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
    special = Path(__file__).with_name("seed-special.ldif").read_text(encoding="utf-8")
    out = sys.stdout
    out.write("".join(line for line in special.splitlines(keepends=True) if not line.startswith("#")))
    user = full_user if variant == "full" else plain_user
    for i in range(1, users + 1):
        out.write(user(i, base, dns))


if __name__ == "__main__":
    main()
