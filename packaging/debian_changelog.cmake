# Writes CHANGELOG.md in Debian's changelog format, compressed the way Debian
# wants it (gzip -9n: no name, no time stamp, so the bytes depend only on the
# text). Every "## VERSION (YYYY-MM-DD)" heading starts an entry; its "- "
# items become "* " items, their indented lines continue them.
#
#   cmake -DINPUT=CHANGELOG.md -DOUTPUT=changelog.gz -DPACKAGE=name
#         -DVERSION=x.y -DRELEASE_DATE=YYYY-MM-DD -DMAINTAINER="Name <mail>"
#         -DGZIP=gzip
#         -P debian_changelog.cmake

# "Wed, 09 Dec 2026 00:00:00 +0000" for 2026-12-09: the weekday by
# Sakamoto's method.
function(rfc2822_date iso out)
  string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" _ "${iso}")
  if(NOT CMAKE_MATCH_0)
    message(FATAL_ERROR "${INPUT}: '${iso}' is not a date YYYY-MM-DD")
  endif()
  set(year ${CMAKE_MATCH_1})
  math(EXPR month "1${CMAKE_MATCH_2} - 100")
  math(EXPR day "1${CMAKE_MATCH_3} - 100")
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
  set(days Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET days ${weekday} weekday_name)
  list(GET months ${index} month_name)
  set(${out} "${weekday_name}, ${CMAKE_MATCH_3} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(text "")
set(trailer "")
set(newest "")
foreach(line IN LISTS lines)
  string(REPLACE "`" "" line "${line}")
  if(line MATCHES "^## ([^ ]+) \\(([^)]*)\\)$")
    if(newest STREQUAL "")
      set(newest ${CMAKE_MATCH_1})
      set(newest_date ${CMAKE_MATCH_2})
    else()
      string(APPEND text "${trailer}\n")
    endif()
    rfc2822_date("${CMAKE_MATCH_2}" date)
    string(APPEND text "${PACKAGE} (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
    set(trailer "\n -- ${MAINTAINER}  ${date}\n")
  elseif(newest STREQUAL "" OR line STREQUAL "")
    # The preamble, and blank lines.
  elseif(line MATCHES "^- (.*)$")
    string(APPEND text "  * ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^ +(.*)$")
    string(APPEND text "    ${CMAKE_MATCH_1}\n")
  else()
    string(APPEND text "  ${line}\n")
  endif()
endforeach()
string(APPEND text "${trailer}")

# A package whose changelog stops at an older release would claim that
# release's text for the new one.
if(NOT newest STREQUAL VERSION)
  message(FATAL_ERROR "${INPUT}: the newest release is '${newest}', the project is ${VERSION}")
endif()
if(NOT newest_date STREQUAL RELEASE_DATE)
  message(FATAL_ERROR "${INPUT}: the newest release is of ${newest_date}, the project's of ${RELEASE_DATE}")
endif()

string(REGEX REPLACE "\\.gz$" "" plain "${OUTPUT}")
file(WRITE "${plain}" "${text}")
execute_process(COMMAND "${GZIP}" -9n -c "${plain}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${GZIP} failed: ${failed}")
endif()
