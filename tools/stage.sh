# Sourced by the Windows scripts: `stage TITLE COMMAND...` runs one stage of a
# long build and prints a line "$stage_name: TITLE: N s" on stderr. A stage
# that fails ends the script.
#
#   stage_name  what the lines begin with
#   stage_log   when set, the commands' output goes there instead, and a
#               failure shows its end
#   stage_marks when set, a folder where each stage that ended well leaves a
#               mark, so that it is not repeated when an interrupted build is
#               started again

stage() {
  local title=$1 mark="" t0 failed=0
  shift
  if [ -n "${stage_marks:-}" ]; then
    mark="$stage_marks/stage-$(echo "$title" | tr -c 'a-zA-Z0-9\n' '_').done"
    if [ -f "$mark" ]; then
      echo "$stage_name: $title: done before" >&2
      return 0
    fi
  fi
  t0=$(date +%s)
  if [ -n "${stage_log:-}" ]; then
    "$@" >>"$stage_log" 2>&1 || failed=1
  else
    "$@" || failed=1
  fi
  if [ "$failed" = 1 ]; then
    echo "$stage_name: $title FAILED after $(($(date +%s) - t0)) s${stage_log:+; end of $stage_log:}" >&2
    [ -z "${stage_log:-}" ] || tail -40 "$stage_log" >&2
    exit 1
  fi
  [ -z "$mark" ] || touch "$mark"
  echo "$stage_name: $title: $(($(date +%s) - t0)) s" >&2
}
