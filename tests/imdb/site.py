#!/usr/bin/env python3
"""A stand-in for the movie database site, for tests and for trying the program by hand.

Serves the pages under pages/ on the loopback only, at a free port, as all four database hosts at once: the title
search (/M/Tsearch?<query>), title pages (/Title?<number>), plot summaries (/Plot?<number>), covers on the image
host (/images/M/<file>) and on the poster host (/posters/<file>). Pages name the image host as
http://127.0.0.1:PORT and the poster host as http://localhost:PORT, which is what the hosts must be set to. The
port is taken on 127.0.0.1 and, where the machine has an IPv6 loopback, on ::1 as well: a system that resolves
localhost to ::1 first then finds the site there too.

    python3 tests/imdb/site.py            # prints the port, then the settings to use
    CINELEDGER_TITLE_SEARCH_HOST=http://127.0.0.1:PORT CINELEDGER_SITE_HOST=http://127.0.0.1:PORT \\
    CINELEDGER_IMAGE_HOST=http://127.0.0.1:PORT CINELEDGER_POSTER_HOST=http://localhost:PORT tools/run.sh

Test routes: /empty answers nothing, /bytes binary bytes with zeros among them, /zero a text with one zero byte.
The server ends after --idle seconds without a request and after --max seconds in any case.
"""

import argparse
import http.server
import pathlib
import select
import socket
import sys
import time

PAGES = pathlib.Path(__file__).resolve().parent / "pages"

# What the title search answers, by the whole query string; any other query matches nothing ("Sorry, No Titles
# Matched Your Search."). What a look-up of a movie by that name comes to:
#   Heat         the title page "Heat (1995)" at once: plot from its summary page, cover on the image host
#   1492         the title page "1492: Conquest of Paradise (1992)" at once: outline, cover (alien.jpg); with Title
#                Correction on, the movie "1492" is renamed
#   Fargo        the title page "Fargo (1996)" at once: no "(more)" after the plot, so the outline; no cover named
#   Baraka       a title page without a director: "This Title Does Not Have Valid Information..."
#   Microcosmos  a title page without a cast: the same message, after the plot was read
#   Alien        a result list of six; "Alien (1979)" leads to a page without a director (gives up, the list stays),
#                the others to no page at all (the error page has no director either)
#   Mann         a result list: "Heat (1995)" (the Heat page; with Title Correction on and "Heat" already in the
#                collection: "Movie Already Exists; Unabled To Correct Title.") and "Alien (1979)" (gives up)
#   Untitled     a result list page that lists nothing: "Sorry, No Titles Matched Your Search." from the list dialog
#   Broken       the connection closes without an answer: the fetch's own message, then "Unable To Retrieve
#                Information." (a data folder holding a folder named "FirstPage.txt" gives that message alone)
SEARCHES = {
    "Heat": "heat.html",
    "1492": "1492.html",
    "Fargo": "fargo.html",
    "Baraka": "baraka.html",
    "Microcosmos": "microcosmos.html",
    "Alien": "alien-search.html",
    "Mann": "mann-search.html",
    "Untitled": "empty-search.html",
}
BROKEN = {"Broken"}
TITLES = {"0113277": "heat.html", "0078748": "alien.html"}
PLOTS = {"0113277": "heat-plot.html"}

# 3000 bytes of every value in turn, zeros included; and a text whose first 1024-byte chunk holds a zero byte.
BINARY = bytes(i % 256 for i in range(3000))
ZERO_TEXT = b"A" * 100 + b"\0" + b"B" * 1500 + b"C" * 900


class Site(http.server.HTTPServer):
    """Bound to one loopback address (port 0: a free one); the pages name the port under both host names."""

    def __init__(self, address, port, activity):
        self.address_family = socket.AF_INET6 if ":" in address else socket.AF_INET
        super().__init__((address, port), Handler)
        self.port = self.server_address[1]
        self.hosts = {b"@IMAGE_HOST@": b"http://127.0.0.1:%d" % self.port,
                      b"@POSTER_HOST@": b"http://localhost:%d" % self.port}
        self.activity = activity  # shared by both addresses: {"last": time of the last request}


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.server.activity["last"] = time.monotonic()
        path, _, query = self.path.partition("?")
        if path == "/M/Tsearch" and query in BROKEN:
            self.close_connection = True
            return
        routes = {
            "/M/Tsearch": lambda: self.page(SEARCHES.get(query, "nomatch.html")),
            "/Title": lambda: self.page(TITLES.get(query)),
            "/Plot": lambda: self.page(PLOTS.get(query)),
            "/empty": lambda: (b"", "text/html"),
            "/bytes": lambda: (BINARY, "application/octet-stream"),
            "/zero": lambda: (ZERO_TEXT, "text/plain"),
        }
        if path in routes:
            body = routes[path]()
        elif path.startswith("/images/M/") or path.startswith("/posters/"):
            body = self.file(path.rpartition("/")[2], "image/jpeg")
        else:
            body = None
        if body is None:
            self.send_error(404)
            return
        data, kind = body
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def page(self, name):
        body = self.file(name, "text/html")
        if body is None:
            return None
        data = body[0]
        for marker, host in self.server.hosts.items():
            data = data.replace(marker, host)
        return data, body[1]

    def file(self, name, kind):
        if not name or "/" in name or name.startswith("."):
            return None
        try:
            return (PAGES / name).read_bytes(), kind
        except OSError:
            return None

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port-file", help="also write the port into this file once the server listens")
    parser.add_argument("--idle", type=float, default=300, help="end after this many seconds without a request")
    parser.add_argument("--max", type=float, default=3600, help="end after this many seconds in any case")
    args = parser.parse_args()

    activity = {"last": time.monotonic()}
    sites = [Site("127.0.0.1", 0, activity)]
    port = sites[0].port
    try:
        sites.append(Site("::1", port, activity))
    except OSError:
        pass  # no IPv6 loopback (or the port is taken there): localhost can only mean 127.0.0.1 then
    print(port, flush=True)
    if args.port_file:
        pathlib.Path(args.port_file).write_text("%d\n" % port)
    print(
        "CINELEDGER_TITLE_SEARCH_HOST=http://127.0.0.1:%d CINELEDGER_SITE_HOST=http://127.0.0.1:%d "
        "CINELEDGER_IMAGE_HOST=http://127.0.0.1:%d CINELEDGER_POSTER_HOST=http://localhost:%d" % ((port,) * 4),
        file=sys.stderr,
        flush=True,
    )

    start = time.monotonic()
    while time.monotonic() - start < args.max and time.monotonic() - activity["last"] < args.idle:
        ready, _, _ = select.select(sites, [], [], 1)
        for site in ready:
            site.handle_request()
    for site in sites:
        site.server_close()


if __name__ == "__main__":
    main()
