#!/usr/bin/env python3
"""Writes the demo databases in demo/: an address book and three calendars with duplicates of
every sort the wizard should find, and near-misses it should not. Deterministic: running it again
gives the same bytes."""
import os

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "demo")
CRLF = "\r\n"


def fold(line):
    # Lines longer than 75 octets are folded with CRLF and one blank.
    out, data = [], line.encode("utf-8")
    while len(data) > 75:
        cut = 75
        while cut > 0 and (data[cut] & 0xC0) == 0x80:
            cut -= 1
        out.append(data[:cut])
        data = b" " + data[cut:]
    out.append(data)
    return b"\r\n".join(out)


def write(name, lines_or_bytes):
    with open(os.path.join(root, name), "wb") as f:
        f.write(lines_or_bytes)


# ---------------------------------------------------------------- contacts
people = [
    ("Ann", "", "Archer", "ann.archer@northwind.example", "+1 555 0101", "Northwind Traders", "Buyer"),
    ("Bob", "J", "Baker", "bob.baker@contoso.example", "+1 555 0102", "Contoso", "Engineer"),
    ("Carla", "", "Diaz", "carla.diaz@fabrikam.example", "+1 555 0103", "Fabrikam", "Manager"),
    ("Dmitri", "", "Ivanov", "d.ivanov@adatum.example", "+1 555 0104", "Adatum", "Analyst"),
    ("Emma", "L", "Fischer", "emma@fischer.example", "+49 30 5550105", "Fischer GmbH", "Owner"),
    ("Farid", "", "Haddad", "farid.haddad@tailspin.example", "+1 555 0106", "Tailspin Toys", "Designer"),
    ("Grace", "", "Kim", "grace.kim@litware.example", "+1 555 0107", "Litware", "Director"),
    ("Hiro", "", "Tanaka", "hiro.tanaka@proseware.example", "+81 3 5550 0108", "Proseware", "Developer"),
    ("Ines", "M", "Costa", "ines.costa@lucerne.example", "+351 21 555 0109", "Lucerne Publishing", "Editor"),
    ("Jack", "", "O'Neil", "jack.oneil@wingtip.example", "+1 555 0110", "Wingtip", "Sales"),
    ("Kofi", "", "Mensah", "kofi.mensah@woodgrove.example", "+233 30 555 0111", "Woodgrove Bank", "Teller"),
    ("Lena", "", "Svensson", "lena.svensson@margie.example", "+46 8 555 0112", "Margie's Travel", "Agent"),
    ("Marco", "", "Rossi", "marco.rossi@fourthcoffee.example", "+39 06 555 0113", "Fourth Coffee", "Barista"),
    ("Nadia", "", "Benali", "nadia.benali@alpine.example", "+33 1 55 50 01 14", "Alpine Ski House", "Instructor"),
    ("Oscar", "", "Nilsen", "oscar.nilsen@blueyonder.example", "+47 22 55 01 15", "Blue Yonder", "Pilot"),
    ("Priya", "", "Sharma", "priya.sharma@contoso.example", "+91 22 5550 0116", "Contoso", "Consultant"),
    ("Quinn", "", "Murphy", "quinn.murphy@northwind.example", "+353 1 555 0117", "Northwind Traders", "Clerk"),
    ("Rosa", "", "Lopez", "rosa.lopez@fabrikam.example", "+34 91 555 0118", "Fabrikam", "Accountant"),
    ("Sam", "", "Wilson", "sam.wilson@adatum.example", "+1 555 0119", "Adatum", "Support"),
    ("Tara", "", "Singh", "tara.singh@litware.example", "+1 555 0120", "Litware", "Lawyer"),
    ("Uwe", "", "Krause", "uwe.krause@fischer.example", "+49 89 5550121", "Fischer GmbH", "Technician"),
    ("Vera", "", "Novak", "vera.novak@proseware.example", "+420 2 5550 0122", "Proseware", "Tester"),
    ("Will", "", "Turner", "will.turner@tailspin.example", "+1 555 0123", "Tailspin Toys", "Buyer"),
    ("Xin", "", "Li", "xin.li@wingtip.example", "+86 10 5550 0124", "Wingtip", "Researcher"),
    ("Yara", "", "Haddad", "yara.haddad@woodgrove.example", "+1 555 0125", "Woodgrove Bank", "Advisor"),
    ("Zoe", "", "Clark", "zoe.clark@margie.example", "+1 555 0126", "Margie's Travel", "Guide"),
]


def vcard3(first, middle, last, mail, phone, org, title, fn=None, extra=()):
    fn = fn if fn is not None else " ".join(p for p in (first, middle, last) if p)
    lines = ["BEGIN:VCARD", "VERSION:3.0",
             "N:%s;%s;%s;;" % (last, first, middle), "FN:" + fn,
             "ORG:" + org.replace(",", "\\,"), "TITLE:" + title,
             "EMAIL;TYPE=INTERNET,WORK:" + mail, "TEL;TYPE=WORK,VOICE:" + phone]
    lines += list(extra)
    lines.append("END:VCARD")
    return b"".join(fold(l) + b"\r\n" for l in lines)


def vcard4(first, middle, last, mail, phone, org, title, fn=None):
    fn = fn if fn is not None else " ".join(p for p in (first, middle, last) if p)
    lines = ["BEGIN:VCARD", "VERSION:4.0", "FN:" + fn,
             "N:%s;%s;%s;;" % (last, first, middle), "ORG:" + org,
             "item1.EMAIL;TYPE=work:" + mail, "item1.X-ABLABEL:Office",
             "TEL;VALUE=uri;TYPE=\"work,voice\":tel:" + phone.replace(" ", "-"),
             "TITLE:" + title, "END:VCARD"]
    return b"".join(fold(l) + b"\r\n" for l in lines)


def qp(text):
    out = ""
    for b in text.encode("latin-1"):
        out += chr(b) if 32 < b < 127 and b != ord("=") else "=%02X" % b
    return out


def vcard21(first, last, mail, phone, org, note):
    # vCard 2.1 with a Latin-1 name and a quoted-printable note with a soft line break.
    lines = [b"BEGIN:VCARD", b"VERSION:2.1",
             ("N;CHARSET=ISO-8859-1:%s;%s;;;" % (last, first)).encode("latin-1"),
             ("FN;CHARSET=ISO-8859-1:%s %s" % (first, last)).encode("latin-1"),
             ("ORG:%s" % org).encode(), ("EMAIL;INTERNET;WORK:%s" % mail).encode(),
             ("TEL;WORK;VOICE:%s" % phone).encode()]
    body = qp(note)
    lines.append(("NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-1:" + body[:40] + "=").encode())
    lines.append(body[40:].encode())
    lines.append(b"END:VCARD")
    return b"".join(l + b"\r\n" for l in lines)


cards = []
for i, p in enumerate(people):
    cards.append(vcard3(*p) if i % 3 else vcard4(*p))
# Exact copies: the same bytes again, later in the file.
cards.append(cards[1])                  # Bob Baker, twice more
cards.append(cards[1])
cards.append(cards[4])                  # Emma Fischer
cards.append(cards[10])                 # Kofi Mensah
# Copies that differ only in letter case: duplicates unless the case-sensitive rule is on.
cards.append(vcard3("ann", "", "archer", "Ann.Archer@Northwind.example", "+1 555 0101",
                    "Northwind Traders", "Buyer"))
cards.append(vcard3("Grace", "", "KIM", "GRACE.KIM@LITWARE.EXAMPLE", "+1 555 0999",
                    "Litware", "Director"))
# Same names and mail, other phone, company and address: still duplicates by default.
cards.append(vcard3("Hiro", "", "Tanaka", "hiro.tanaka@proseware.example", "+81 90 5550 7777",
                    "Proseware Japan", "Lead Developer",
                    extra=["ADR;TYPE=HOME:;;1-2-3 Shibuya;Tokyo;;150-0002;Japan"]))
cards.append(vcard4("Marco", "", "Rossi", "marco.rossi@fourthcoffee.example", "+39 06 555 9999",
                    "Fourth Coffee", "Head Barista"))
# Near-misses that are not duplicates.
cards.append(vcard3("Carla", "", "Diaz", "carla.diaz@fabrikam.example", "+1 555 0103",
                    "Fabrikam", "Manager", fn="Carla Diaz "))          # trailing blank
cards.append(vcard3("Dmitri", "", "Ivanov", "dmitri@ivanov.example", "+1 555 0104",
                    "Adatum", "Analyst"))                               # another e-mail
cards.append(vcard3("Sam", "T", "Wilson", "sam.wilson@adatum.example", "+1 555 0119",
                    "Adatum", "Support"))                               # a middle initial
cards.append(vcard3("Xin", "", "Li", "xin.li@wingtip.example", "+86 10 5550 0124",
                    "Wingtip", "Researcher",
                    extra=["EMAIL;TYPE=INTERNET,HOME:xin@home.example"]))  # a second e-mail
# vCard 2.1 with quoted-printable notes; the second is a duplicate of the first.
note = "Met at the trade fair in K\xf6ln. Prefers e-mail to phone calls; speaks German."
cards.append(vcard21("J\xfcrgen", "M\xfcller", "juergen.mueller@fischer.example",
                     "+49 221 5550140", "Fischer GmbH", note))
cards.append(vcard21("J\xfcrgen", "M\xfcller", "juergen.mueller@fischer.example",
                     "+49 221 5550141", "Fischer GmbH", note))
cards.append(vcard21("Ren\xe9", "Dubois", "rene.dubois@alpine.example", "+33 4 5550 0142",
                     "Alpine Ski House", "Ski instructor in Chamonix, winter season only."))
# A few more distinct contacts, and two more exact copies at the end.
more = [("Abel", "", "Moreau", "abel.moreau@alpine.example", "+33 1 5550 0150", "Alpine Ski House", "Chef"),
        ("Bea", "", "Horvat", "bea.horvat@lucerne.example", "+385 1 5550 151", "Lucerne Publishing", "Author"),
        ("Cyrus", "", "Farahani", "cyrus@blueyonder.example", "+1 555 0152", "Blue Yonder", "Navigator"),
        ("Dana", "", "Whitfield", "dana.whitfield@woodgrove.example", "+1 555 0153", "Woodgrove Bank", "Auditor"),
        ("Eli", "", "Katz", "eli.katz@litware.example", "+972 3 555 0154", "Litware", "Architect"),
        ("Fern", "", "Gallagher", "fern@wingtip.example", "+1 555 0155", "Wingtip", "Marketing"),
        ("Gus", "", "Oyelaran", "gus.oyelaran@contoso.example", "+234 1 555 0156", "Contoso", "Trainer"),
        ("Hana", "", "Sato", "hana.sato@proseware.example", "+81 6 5550 0157", "Proseware", "Translator"),
        ("Ivan", "", "Petrov", "ivan.petrov@adatum.example", "+7 495 555 0158", "Adatum", "Engineer"),
        ("Jade", "", "Nguyen", "jade.nguyen@litware.example", "+84 28 5550 0159", "Litware", "Designer"),
        ("Karl", "", "Berg", "karl.berg@blueyonder.example", "+46 31 555 0160", "Blue Yonder", "Mechanic"),
        ("Lucia", "", "Ferrari", "lucia.ferrari@fourthcoffee.example", "+39 02 555 0161", "Fourth Coffee", "Roaster"),
        ("Mateo", "", "Silva", "mateo.silva@lucerne.example", "+55 11 5550 0162", "Lucerne Publishing", "Illustrator"),
        ("Nora", "", "Quinlan", "nora.quinlan@northwind.example", "+1 555 0163", "Northwind Traders", "Planner"),
        ("Omar", "", "Khalil", "omar.khalil@tailspin.example", "+20 2 5550 0164", "Tailspin Toys", "Tester"),
        ("Pia", "", "Lund", "pia.lund@margie.example", "+45 33 55 01 65", "Margie's Travel", "Agent"),
        ("Rafael", "", "Ortega", "rafael.ortega@fabrikam.example", "+52 55 5550 0166", "Fabrikam", "Chemist")]
for p in more:
    cards.append(vcard3(*p))
cards.append(cards[-2])
cards.append(cards[20])
write("contacts.vcf", b"".join(cards))


# ---------------------------------------------------------------- calendars
def ical(components, timezone=True):
    head = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Pellora//Mirrowick demo//EN",
            "CALSCALE:GREGORIAN"]
    tz = ["BEGIN:VTIMEZONE", "TZID:Europe/Berlin",
          "BEGIN:STANDARD", "DTSTART:19701025T030000", "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
          "TZOFFSETFROM:+0200", "TZOFFSETTO:+0100", "TZNAME:CET", "END:STANDARD",
          "BEGIN:DAYLIGHT", "DTSTART:19700329T020000", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
          "TZOFFSETFROM:+0100", "TZOFFSETTO:+0200", "TZNAME:CEST", "END:DAYLIGHT",
          "END:VTIMEZONE"] if timezone else []
    out = b"".join(fold(l) + b"\r\n" for l in head + tz)
    for c in components:
        out += b"".join(fold(l) + b"\r\n" for l in c)
    return out + b"END:VCALENDAR\r\n"


def event(uid, summary, start, end, location="", description="", extra=()):
    lines = ["BEGIN:VEVENT", "UID:" + uid, "DTSTAMP:20261201T090000Z",
             "DTSTART" + start, "DTEND" + end, "SUMMARY:" + summary]
    if location:
        lines.append("LOCATION:" + location)
    if description:
        lines.append("DESCRIPTION:" + description)
    return lines + list(extra) + ["END:VEVENT"]


events = [
    event("ev-01@demo", "Weekly team meeting", ";TZID=Europe/Berlin:20261207T100000",
          ";TZID=Europe/Berlin:20261207T110000", "Room 4.12", "Status of every project.",
          ["RRULE:FREQ=WEEKLY;INTERVAL=1;BYDAY=MO,WE;UNTIL=20270331T230000Z"]),
    event("ev-02@demo", "Dentist", ":20261215T083000", ":20261215T090000", "Dr. Novak"),
    event("ev-03@demo", "Quarterly review", ":20261218T140000Z", ":20261218T160000Z",
          "Board room", "Numbers of the fourth quarter\\, with the budget for next year."),
    event("ev-04@demo", "Flight to Lisbon", ":20261220T071500Z", ":20261220T104500Z",
          "Airport, Terminal 1"),
    event("ev-05@demo", "Christmas", ";VALUE=DATE:20261225", ";VALUE=DATE:20261226",
          extra=["RRULE:FREQ=YEARLY", "CLASS:PUBLIC"]),
    event("ev-06@demo", "Lunch with Carla", ":20261209T123000", ":20261209T133000",
          "Fourth Coffee"),
    event("ev-07@demo", "Payroll run", ":20261228T090000", ":20261228T100000",
          extra=["RRULE:FREQ=MONTHLY;BYMONTHDAY=28;COUNT=12", "CLASS:PRIVATE"]),
    event("ev-08@demo", "Board meeting", ":20270105T090000", ":20270105T120000",
          extra=["RRULE:FREQ=MONTHLY;BYDAY=1TU", "RESOURCES:Projector,Catering"]),
    event("ev-09@demo", "Yoga", ":20261208T180000", ":20261208T190000", "Studio 2",
          extra=["RRULE:FREQ=DAILY;INTERVAL=2;COUNT=10"]),
    event("ev-10@demo", "Project kickoff", ":20270111T100000", ":20270111T113000", "Room 1.01"),
]
# The weekly meeting moved once: an override of one occurrence.
events.append(event("ev-01@demo", "Weekly team meeting (moved)", ";TZID=Europe/Berlin:20261210T140000",
                    ";TZID=Europe/Berlin:20261210T150000", "Room 2.03",
                    extra=["RECURRENCE-ID;TZID=Europe/Berlin:20261209T100000"]))
# Exact copies, as a second import of the same file leaves them.
events.append(events[1])
events.append(events[2])
events.append(events[5])
# Copies with other UIDs and letter case.
events.append(event("ev-12@demo", "DENTIST", ":20261215T083000", ":20261215T090000", "Dr. Novak"))
events.append(event("ev-13@demo", "Flight to Lisbon", ":20261220T071500Z", ":20261220T104500Z",
                    "Gate B12", "Seat 14C."))
# A repeating entry imported twice, each copy with its own override.
events.append(event("ev-14@demo", "Weekly team meeting", ";TZID=Europe/Berlin:20261207T100000",
                    ";TZID=Europe/Berlin:20261207T110000", "Room 4.12", "Status of every project.",
                    ["RRULE:FREQ=WEEKLY;INTERVAL=1;BYDAY=MO,WE;UNTIL=20270331T230000Z"]))
events.append(event("ev-14@demo", "Weekly team meeting (moved)", ";TZID=Europe/Berlin:20261210T140000",
                    ";TZID=Europe/Berlin:20261210T150000", "Room 2.03",
                    extra=["RECURRENCE-ID;TZID=Europe/Berlin:20261209T100000"]))
# Near-misses: one second later, another end.
events.append(event("ev-15@demo", "Lunch with Carla", ":20261209T123001", ":20261209T133000",
                    "Fourth Coffee"))
events.append(event("ev-16@demo", "Project kickoff", ":20270111T100000", ":20270111T120000",
                    "Room 1.01"))
events.append(event("ev-17@demo", "Dentist ", ":20261215T083000", ":20261215T090000", "Dr. Novak"))
# An event with an alarm inside.
events.append(event("ev-18@demo", "Call the bank", ":20261211T150000", ":20261211T151500",
                    extra=["BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Reminder",
                           "TRIGGER:-PT15M", "END:VALARM"]))
events.append(events[-1])
write("calendar.ics", ical(events))


def todo(uid, summary, due, priority=None, description="", extra=()):
    lines = ["BEGIN:VTODO", "UID:" + uid, "DTSTAMP:20261201T090000Z", "SUMMARY:" + summary]
    if due:
        lines.append("DUE" + due)
    if priority is not None:
        lines.append("PRIORITY:%d" % priority)
    if description:
        lines.append("DESCRIPTION:" + description)
    return lines + list(extra) + ["END:VTODO"]


todos = [
    todo("td-01@demo", "Send the invoices", ";VALUE=DATE:20261215", 1, "All December invoices."),
    todo("td-02@demo", "Book the hotel in Lisbon", ";VALUE=DATE:20261212", 5),
    todo("td-03@demo", "Renew the passport", ":20270115T170000", 9, "Photo first."),
    todo("td-04@demo", "Order printer toner", None),
    todo("td-05@demo", "Prepare the quarterly review", ":20261217T120000Z", 2,
         extra=["CATEGORIES:Work,Finance", "DTSTART:20261214T090000Z"]),
    todo("td-06@demo", "Call the plumber", ";VALUE=DATE:20261210", 0,
         extra=["STATUS:COMPLETED", "COMPLETED:20261209T101500Z"]),
    todo("td-07@demo", "Water the plants", ";VALUE=DATE:20261211", 6,
         extra=["RRULE:FREQ=WEEKLY", "CLASS:PRIVATE"]),
]
todos.append(todos[0])
todos.append(todos[1])
todos.append(todo("td-08@demo", "send the invoices", ";VALUE=DATE:20261215", 4))   # same importance band
todos.append(todo("td-09@demo", "Send the invoices", ";VALUE=DATE:20261216", 1))   # another day
todos.append(todo("td-10@demo", "Book the hotel in Lisbon", ";VALUE=DATE:20261212", 1))  # another importance
todos.append(todo("td-11@demo", "Order printer toner", None, description="Two black, one colour."))
todos.append(todos[4])
write("tasks.ics", ical(todos, timezone=False))


def journal(uid, summary, date, description, extra=()):
    lines = ["BEGIN:VJOURNAL", "UID:" + uid, "DTSTAMP:20261201T090000Z",
             "DTSTART;VALUE=DATE:" + date, "SUMMARY:" + summary,
             "DESCRIPTION:" + description, "CREATED:20261201T080000Z",
             "LAST-MODIFIED:20261202T081500Z"]
    return lines + list(extra) + ["END:VJOURNAL"]


journals = [
    journal("nb-01@demo", "Ideas for the garden", "20261201",
            "Raised beds along the south wall\\nHerbs by the kitchen door", ["CATEGORIES:Home"]),
    journal("nb-02@demo", "Trade fair notes", "20261203",
            "Met Juergen (Fischer GmbH)\\, interested in the new catalogue."),
    journal("nb-03@demo", "Books to read", "20261204", "The long list\\; start with the short ones."),
    journal("nb-04@demo", "Recipe: lentil soup", "20261205",
            "Onion\\, carrot\\, celery\\, red lentils\\, cumin. 30 minutes."),
    journal("nb-05@demo", "Meeting notes 7 December", "20261207",
            "Budget approved. Next review in March."),
]
journals.append(journals[1])
journals.append(journals[3])
journals.append(journal("nb-06@demo", "books to read", "20261206",
                        "The long list\\; start with the short ones."))
journals.append(journal("nb-07@demo", "Meeting notes 7 December", "20261207",
                        "Budget approved. Next review in April."))
write("notebook.ics", ical(journals, timezone=False))
print("demo files written to", os.path.normpath(root))
