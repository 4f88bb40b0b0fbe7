# The test domain: a Samba AD domain controller in a network namespace of its own. Sourced after
# lib.sh, not run. start_domain sets it up; stop_domain (call it from an EXIT trap) ends it by pid.
#
# Nothing leaves the namespace: the controller listens on a veth pair whose two ends both live in
# it, and the namespace's resolv.conf names the controller, whose own DNS answers for the realm.

# python3-samba: the login check (scripts/ntlm-login.py); samba-ad-dc brings it too. It brings python3,
# which prints the seed (scripts/domain/seed.py).
DOMAIN_PACKAGES=(samba-ad-dc samba-ad-provision ldap-utils python3-samba)

DOMAIN_REALM=QUORREX.TEST
DOMAIN_DNS=quorrex.test
DOMAIN_NETBIOS=QUORREX
DOMAIN_HOST=dc1
DOMAIN_BASE="DC=quorrex,DC=test"
DOMAIN_ADMIN="Administrator@$DOMAIN_REALM"
# A throw-away password of a throw-away domain that never leaves the namespace.
DOMAIN_PASSWORD='Quorrex-Admin-1'
DOMAIN_IP=10.213.0.1
# The other end of the veth pair: an address in the namespace where nothing listens. DNS names it
# as the controller of a second domain, whose bind therefore finds no directory.
DOMAIN_DEAD_IP=10.213.0.2
DOMAIN_DEAD_NAME=gone
DOMAIN_USER_FILTER='(&(objectClass=user)(objectCategory=user))'
# Enough users for a search to cross 1,000 rows, the page size Windows controllers enforce. A caller
# may set a count of its own before sourcing this file (the directory benchmark does), and "full"
# in DOMAIN_BULK_VALUES to give the bulk users a value in most catalogue columns instead of a few.
DOMAIN_BULK_USERS="${DOMAIN_BULK_USERS:-1500}"
DOMAIN_BULK_VALUES="${DOMAIN_BULK_VALUES:-plain}"

# The namespace's name carries a hash of the build folder, so that two worktrees can run their
# domains at the same time (interface names and addresses are private to each namespace). A caller
# may name a folder of its own for the domain's cache before sourcing; the namespace then carries
# that folder's hash, so that its domain and the tests' can run side by side.
DOMAIN_TAG="$(printf '%s' "${DOMAIN_DIR:-$BUILD_DIR}" | sha256sum | cut -c1-8)"
DOMAIN_NS="quorrex-$DOMAIN_TAG"
DOMAIN_DIR="${DOMAIN_DIR:-$BUILD_DIR/test-domain}"
DOMAIN_TARGET="$DOMAIN_DIR/dc"
DOMAIN_EXPECTED="$DOMAIN_DIR/expected"
DOMAIN_PID_FILE="$DOMAIN_DIR/samba.pid"
# Samba listens on Unix sockets in its lock, pid, ncalrpc, winbindd, ntp signd, private and state
# directories, and a socket's path holds at most 107 bytes: a deep checkout's build folder alone can
# pass that. So those directories live in a short folder of their own, keyed like the namespace and
# made anew at every start (it may not outlast a reboot; a killed run leaves its sockets there). The
# domain's data stays in the build folder: the private and state directories there are linked entry
# by entry into their runtime namesakes, where only what samba makes while it runs is their own.
DOMAIN_RUN="/run/quorrex-$DOMAIN_TAG"

DOMAIN_NS_MADE=""
DOMAIN_SAMBA_PID=""

# The prefix that makes a command run as root: none when we are root, sudo otherwise.
ROOT_PREFIX=()
[ "$(id -u)" -ne 0 ] && ROOT_PREFIX=(sudo)
as_root() {
    "${ROOT_PREFIX[@]}" "$@"
}

# Runs a command inside the namespace as the calling user, with the environment the project's
# scripts rely on (sudo would otherwise reset it).
in_domain_ns() {
    if [ "$(id -u)" -eq 0 ]; then
        ip netns exec "$DOMAIN_NS" "$@"
    else
        local vars=() v
        for v in HOME USER PATH LANG TERM DISPLAY XAUTHORITY BUILD_DIR CI WINEPREFIX WINEDEBUG WINEARCH LDAPREFERRALS \
            LDAPTLS_REQCERT $(compgen -e | grep '^QUORREX_' || true); do
            [ -n "${!v+x}" ] && vars+=("$v=${!v}")
        done
        sudo ip netns exec "$DOMAIN_NS" setpriv --reuid="$(id -u)" --regid="$(id -g)" --init-groups \
            env "${vars[@]}" "$@"
    fi
}

# Runs a command inside the namespace as root (samba and its tools).
in_domain_ns_as_root() {
    as_root ip netns exec "$DOMAIN_NS" "$@"
}

make_domain_namespace() {
    # A namespace left over from a run that was killed outright: its samba is gone with it.
    if as_root ip netns list | grep -qw "$DOMAIN_NS"; then
        log "removing the namespace $DOMAIN_NS left over from an earlier run"
        stop_namespace_processes
        as_root ip netns delete "$DOMAIN_NS"
    fi
    as_root ip netns add "$DOMAIN_NS"
    DOMAIN_NS_MADE=1
    as_root ip -n "$DOMAIN_NS" link set lo up
    as_root ip -n "$DOMAIN_NS" link add qx-dc type veth peer name qx-peer
    as_root ip -n "$DOMAIN_NS" addr add "$DOMAIN_IP/24" dev qx-dc
    as_root ip -n "$DOMAIN_NS" addr add "$DOMAIN_DEAD_IP/24" dev qx-peer
    as_root ip -n "$DOMAIN_NS" link set qx-dc up
    as_root ip -n "$DOMAIN_NS" link set qx-peer up
    as_root mkdir -p "/etc/netns/$DOMAIN_NS"
    printf 'nameserver %s\n' "$DOMAIN_IP" | as_root tee "/etc/netns/$DOMAIN_NS/resolv.conf" >/dev/null
}

namespace_pids() {
    as_root ip netns pids "$DOMAIN_NS" 2>/dev/null || true
}

namespace_empty() {
    [ -z "$(namespace_pids)" ]
}

# Ends, by pid, whatever still runs in the namespace (a controller or a test left by a killed run).
stop_namespace_processes() {
    namespace_empty && return 0
    # shellcheck disable=SC2046
    as_root kill $(namespace_pids) 2>/dev/null || true
    wait_until 5 0.1 "the processes in $DOMAIN_NS to end" namespace_empty && return 0
    # shellcheck disable=SC2046
    as_root kill -KILL $(namespace_pids) 2>/dev/null || true
}

# The seed: the special users (every catalogue attribute, every hard case), then the bulk users.
write_seed_ldif() {
    "$ROOT/scripts/domain/seed.py" "$DOMAIN_BULK_USERS" "$DOMAIN_BULK_VALUES" "$DOMAIN_BASE" "$DOMAIN_DNS" >"$1"
}

# The second domain's locator records: its controller's name resolves, but nothing answers there.
seed_dead_domain_dns() {
    local tool=(samba-tool dns add "$DOMAIN_IP" "$DOMAIN_DNS" -U "$DOMAIN_ADMIN%$DOMAIN_PASSWORD")
    in_domain_ns_as_root "${tool[@]}" "dc-$DOMAIN_DEAD_NAME" A "$DOMAIN_DEAD_IP" >/dev/null
    in_domain_ns_as_root "${tool[@]}" "_ldap._tcp.dc._msdcs.$DOMAIN_DEAD_NAME" SRV \
        "dc-$DOMAIN_DEAD_NAME.$DOMAIN_DNS 389 0 100" >/dev/null
}

provision_domain() {
    as_root rm -rf "$DOMAIN_TARGET"
    mkdir -p "$DOMAIN_DIR"
    as_root samba-tool domain provision --use-rfc2307 --realm="$DOMAIN_REALM" --domain="$DOMAIN_NETBIOS" \
        --server-role=dc --dns-backend=SAMBA_INTERNAL --adminpass="$DOMAIN_PASSWORD" \
        --host-name="$DOMAIN_HOST" --host-ip="$DOMAIN_IP" --targetdir="$DOMAIN_TARGET" \
        --option="interfaces=lo qx-dc" --option="bind interfaces only=yes" >"$DOMAIN_DIR/provision.log" 2>&1
    # Everything the controller writes stays in its folder or its runtime folder; no forwarder, so
    # that names outside the realm fail at once instead of waiting on a server nobody can reach.
    # tls/ is made here so that the certificate samba makes at its first start is kept.
    local conf="$DOMAIN_TARGET/etc/smb.conf"
    as_root mkdir -p "$DOMAIN_TARGET/private/tls"
    as_root sed -i -e '/^\s*\(dns forwarder\|log file\|lock directory\|private dir\|state directory\)\s*=/d' "$conf"
    as_root sed -i -e "/^\[global\]/a\\
\tlog file = $DOMAIN_TARGET/log.%m\\
\tlock directory = $DOMAIN_RUN/lock\\
\tpid directory = $DOMAIN_RUN/run\\
\tncalrpc dir = $DOMAIN_RUN/ncalrpc\\
\twinbindd socket directory = $DOMAIN_RUN/winbindd\\
\tntp signd socket directory = $DOMAIN_RUN/ntp_signd\\
\tprivate dir = $DOMAIN_RUN/private\\
\tstate directory = $DOMAIN_RUN/state\\
\tload printers = no\\
\tprinting = bsd\\
\tprintcap name = /dev/null\\
\tdisable spoolss = yes" "$conf"
}

# The runtime folder, made anew: nothing in it but a link to each entry of the private and state
# directories in the build folder, in directories of the same modes (the private one holds the
# domain's secrets: root's only). What samba makes there while it runs goes with the folder: its
# sockets, caches, and tdb files it makes again with their defaults at every start.
make_domain_runtime() {
    as_root rm -rf "$DOMAIN_RUN"
    as_root mkdir -p -m 755 "$DOMAIN_RUN"
    local d
    for d in private state; do
        as_root mkdir -m "$(as_root stat -c %a "$DOMAIN_TARGET/$d")" "$DOMAIN_RUN/$d"
        as_root find "$DOMAIN_TARGET/$d" -mindepth 1 -maxdepth 1 -exec ln -s -t "$DOMAIN_RUN/$d" {} +
    done
}

# samba runs as the first process of a PID namespace of its own (unshare --pid, inside the network
# namespace). When that process ends, the kernel ends every other process of its PID namespace: one
# kill of samba ends all its helpers, those started a moment before included. unshare waits for
# samba and, should it be killed first, takes samba with it (--kill-child).
start_samba() {
    make_domain_runtime
    # sh writes its pid into the launcher file and execs ip, which execs unshare: the pid is
    # unshare's, whose child samba_started looks for. No inherited descriptors: a test runner waits
    # for whoever holds its pipes.
    # DOMAIN_SAMBA_LOG_LEVEL, when set, is its log level (for instance "1 auth_audit:3" to log every
    # login); samba.out holds its log.
    local launcher="$DOMAIN_RUN/unshare.pid"
    "${ROOT_PREFIX[@]}" sh -c 'echo $$ >"$1" && shift && exec "$@"' sh "$launcher" \
        ip netns exec "$DOMAIN_NS" unshare --pid --fork --kill-child --mount-proc \
        samba -i -s "$DOMAIN_TARGET/etc/smb.conf" ${DOMAIN_SAMBA_LOG_LEVEL:+"--debuglevel=$DOMAIN_SAMBA_LOG_LEVEL"} \
        </dev/null >"$DOMAIN_DIR/samba.out" 2>&1 &
    # Stopped by pid, not as a job; a test may kill it on purpose, which is no news for the shell.
    disown $!
    DOMAIN_SAMBA_PID=""
    if ! wait_until 10 0.05 "samba to start in a PID namespace of its own" samba_started "$launcher"; then
        log_samba_output
        return 1
    fi
    echo "$DOMAIN_SAMBA_PID" >"$DOMAIN_PID_FILE"
    wait_for_directory
}

log_samba_output() {
    log "samba's last output:"
    tail -20 "$DOMAIN_DIR/samba.out" >&2
}

# Whether samba runs as the first process (pid 1) of a PID namespace: unshare's child. Sets
# DOMAIN_SAMBA_PID to its pid here.
samba_started() {
    local unshare
    unshare="$(cat "$1")" && [ -n "$unshare" ] || return 1
    DOMAIN_SAMBA_PID="$(ps -o pid= --ppid "$unshare" | tr -d ' ')"
    [ -n "$DOMAIN_SAMBA_PID" ] && grep -q '^NSpid:.*[[:space:]]1$' "/proc/$DOMAIN_SAMBA_PID/status"
}

directory_answers() {
    in_domain_ns getent hosts "$DOMAIN_HOST.$DOMAIN_DNS" >/dev/null && domain_login 2>/dev/null | grep -qx "$DOMAIN_BASE"
}

directory_answers_or_samba_ended() {
    ended "$DOMAIN_SAMBA_PID" || directory_answers
}

# Waits until the controller answers DNS with its own name and takes a login the way the program
# makes one (1 to 2 s usually; DNS may come up after LDAP).
wait_for_directory() {
    if ! wait_until 90 0.2 "samba to answer DNS and take a login" directory_answers_or_samba_ended; then
        log "the last try said:"
        domain_login >/dev/null || true
        return 1
    fi
    running "$DOMAIN_SAMBA_PID" && return 0
    log "samba ended at start"
    log_samba_output
    return 1
}

# An NTLM login at the controller, as Wine's directory services make it for the program; prints
# the naming context it read.
domain_login() {
    in_domain_ns env QUORREX_LOGIN_PASSWORD="$DOMAIN_PASSWORD" "$ROOT/scripts/ntlm-login.py" "$DOMAIN_HOST.$DOMAIN_DNS" \
        "$DOMAIN_ADMIN"
}

# The pid of the running controller: ours, or the one a test started again (it writes the file).
samba_pid() {
    if [ -f "$DOMAIN_PID_FILE" ]; then cat "$DOMAIN_PID_FILE"; else echo "$DOMAIN_SAMBA_PID"; fi
}

# The controller dies at once, as in a crash: samba (the given pid, or the running one) is killed,
# and with it, by the kernel, every other process of its PID namespace. samba counts as ended only
# once they all have.
kill_samba() {
    local pid="${1:-$(samba_pid)}"
    as_root kill -KILL "$pid" 2>/dev/null || true
    wait_until 5 0.02 "the controller's processes to end" ended "$pid"
}

stop_samba() {
    local pid
    pid="$(samba_pid)"
    [ -z "$pid" ] && return 0
    as_root kill "$pid" 2>/dev/null || true
    wait_until 10 0.1 "samba to end" ended "$pid" || as_root kill -KILL "$pid" 2>/dev/null || true
    DOMAIN_SAMBA_PID=""
    rm -f "$DOMAIN_PID_FILE"
}

# Simple bind over LDAPS, the controller's own certificate (self-signed) accepted.
domain_ldap() {
    local tool="$1"
    shift
    in_domain_ns env LDAPTLS_REQCERT=never "$tool" -x -H "ldaps://$DOMAIN_IP" -D "$DOMAIN_ADMIN" \
        -w "$DOMAIN_PASSWORD" "$@"
}

# The rows the program must show: every catalogue attribute of every object the filter finds,
# as ldapsearch prints them (unwrapped LDIF; base64 where LDIF needs it).
write_expected_rows() {
    mkdir -p "$DOMAIN_EXPECTED"
    domain_ldap ldapsearch -LLL -o ldif-wrap=no -E pr=1000/noprompt -b "$DOMAIN_BASE" -s sub \
        "$DOMAIN_USER_FILTER" cn givenName initials sn displayName description physicalDeliveryOfficeName \
        telephoneNumber mail url streetAddress postOfficeBox l st postalCode co userPrincipalName \
        >"$DOMAIN_EXPECTED/users.ldif"
}

# Sets the domain up: namespace, controller (provisioned and seeded once, then reused while the seed
# stays the same), the expected rows, and the variables the tests read.
start_domain() {
    ensure_packages "${DOMAIN_PACKAGES[@]}" iproute2
    mkdir -p "$DOMAIN_DIR"
    local seed="$DOMAIN_DIR/seed.ldif"
    write_seed_ldif "$seed"
    local key
    key="$({
        cat "$seed"
        echo "$DOMAIN_REALM $DOMAIN_NETBIOS $DOMAIN_HOST $DOMAIN_IP $DOMAIN_DEAD_IP $DOMAIN_PASSWORD $DOMAIN_TARGET $DOMAIN_RUN"
        declare -f provision_domain seed_dead_domain_dns
    } | sha256sum | cut -c1-16)"
    local stamp="$DOMAIN_TARGET/.seeded-$key"

    make_domain_namespace
    # A controller killed outright (as a test does on purpose) may leave its files unusable.
    if [ -f "$stamp" ] && ! start_samba; then
        log "the cached domain did not start; provisioning it afresh"
        stop_samba
        as_root rm -f "$stamp"
    fi
    if [ ! -f "$stamp" ]; then
        local started=$SECONDS
        provision_domain
        log "provisioned $DOMAIN_REALM in $((SECONDS - started)) s"
        start_samba
        started=$SECONDS
        domain_ldap ldapadd -f "$seed" >"$DOMAIN_DIR/seed.log"
        seed_dead_domain_dns
        log "seeded $(grep -c '^objectClass: user' "$seed") users in $((SECONDS - started)) s"
        as_root touch "$stamp"
    fi
    write_expected_rows
    export QUORREX_TEST_DOMAIN="$DOMAIN_DNS"
    export QUORREX_TEST_NETBIOS="$DOMAIN_NETBIOS"
    export QUORREX_TEST_CONTROLLER="$DOMAIN_HOST.$DOMAIN_DNS"
    export QUORREX_TEST_DEAD_DOMAIN="$DOMAIN_DEAD_NAME.$DOMAIN_DNS"
    export QUORREX_TEST_DEAD_CONTROLLER="dc-$DOMAIN_DEAD_NAME.$DOMAIN_DNS"
    export QUORREX_TEST_USER="$DOMAIN_ADMIN"
    export QUORREX_TEST_PASSWORD="$DOMAIN_PASSWORD"
    export QUORREX_TEST_FILTER="$DOMAIN_USER_FILTER"
    export QUORREX_TEST_EXPECTED="$DOMAIN_EXPECTED/users.ldif"
}

stop_domain() {
    stop_samba
    if [ -n "$DOMAIN_NS_MADE" ]; then
        stop_namespace_processes
        as_root ip netns delete "$DOMAIN_NS" 2>/dev/null || true
        as_root rm -rf "/etc/netns/$DOMAIN_NS"
        DOMAIN_NS_MADE=""
    fi
    as_root rm -rf "$DOMAIN_RUN"
}
