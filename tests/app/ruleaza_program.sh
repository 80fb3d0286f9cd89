# Sourced by the start-up tests. ruleaza_pana_la_fereastra DB COMMAND... runs COMMAND (which ends in the
# program, possibly behind runuser, env and timeout), waits until the program's main window listens for a
# second copy of the register DB, then asks it to stop as a desktop's log-out does (SIGTERM) and sets rc to
# its exit code. No clock is raced against the start-up: however slow the machine, the program is stopped
# only once it runs its message loop; a program that ends earlier ends the wait.
ruleaza_pana_la_fereastra() {
  local db=$1 exe=${*: -1}
  shift
  # The channel the main window listens on, named after the register's path; the program runs under env -i,
  # without TMPDIR or USER.
  local canal="/tmp/tessaluna-utilizator-$(printf %s "$db" | sha1sum | cut -c1-16)"
  "$@" &
  local pid=$!
  while kill -0 "$pid" 2>/dev/null && [ ! -S "$canal" ]; do sleep 0.1; done
  # The program among the command's descendants (another test may run the same executable).
  local p=$pid c
  while c=$(pgrep -P "$p" | head -n1) && [ -n "$c" ]; do p=$c; done
  [ "$(readlink -f "/proc/$p/exe" 2>/dev/null)" = "$(readlink -f "$exe")" ] && kill -TERM "$p"
  wait "$pid"
  rc=$?
}
