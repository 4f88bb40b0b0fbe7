#!/usr/bin/python3
# Logs in to the controller the way Wine's ADSI does for quorrex.exe (NTLM, the controller's host
# name as the domain, the user as typed) and reads the RootDSE's naming context. Exit 0 when the
# login worked; 1 with the reason on stderr when it did not. The password comes from the
# environment (QUORREX_LOGIN_PASSWORD), never from the command line.
#   ntlm-login.py <host> <user>
import os
import sys

import samba
from samba.credentials import DONT_USE_KERBEROS, Credentials
from samba.param import LoadParm

host, user = sys.argv[1], sys.argv[2]
lp = LoadParm()
credentials = Credentials()
credentials.guess(lp)
credentials.set_username(user)
credentials.set_domain(host)
credentials.set_password(os.environ["QUORREX_LOGIN_PASSWORD"])
credentials.set_kerberos_state(DONT_USE_KERBEROS)
try:
    directory = samba.Ldb(url="ldap://" + host, lp=lp, credentials=credentials)
    root = directory.search(base="", scope=samba.ldb.SCOPE_BASE, attrs=["defaultNamingContext"])
    print(root[0]["defaultNamingContext"][0])
except Exception as error:  # any failure means: no login yet
    print("no login at " + host + ": " + str(error), file=sys.stderr)
    sys.exit(1)
