# The manual page and the changelog are dated by the source, not by the build: a release
# then needs no hand edit, and the same commit gives the same bytes whenever it is built.
# SOURCE_DATE_EPOCH wins if set; else the last commit's time; outside a git checkout (a
# source tarball), the time of CMakeLists.txt, which git archive stamps with the commit's.
# Sets TALLY_DATE (2026-12-31, for the page) and TALLY_DATE_RFC2822 (for Debian), in UTC.
function(tally_date)
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "") # set but empty counts as unset
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(from SOURCE_DATE_EPOCH)
    if(NOT epoch MATCHES "^[0-9]+$")
      message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${epoch}\", not a count of seconds")
    endif()
  else()
    # Only this project's own checkout: a tarball unpacked inside another repository is not.
    find_package(Git QUIET)
    if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE rc
                      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                      ERROR_VARIABLE err ERROR_STRIP_TRAILING_WHITESPACE)
      set(from "the last commit")
      if(NOT rc EQUAL 0)
        # A checkout git will not read (another owner's, say) would date it by the build.
        message(WARNING " git log failed, so the date is not the last commit's: ${err}")
      endif()
      # A new commit dates the page anew at the next build.
      execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                      OUTPUT_VARIABLE gitdir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(EXISTS "${gitdir}/logs/HEAD")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${gitdir}/logs/HEAD")
      endif()
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
      file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt epoch %s UTC)
      set(from "the time of CMakeLists.txt")
    endif()
  endif()

  # string(TIMESTAMP) formats SOURCE_DATE_EPOCH rather than now. CMake leaves LC_TIME at
  # "C", so the names are English, as Debian wants them.
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP day "%Y-%m-%d" UTC)
  string(TIMESTAMP rfc2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
  if(NOT from STREQUAL SOURCE_DATE_EPOCH)
    unset(ENV{SOURCE_DATE_EPOCH})
  endif()
  message(STATUS "Manual page and changelog dated ${day}, from ${from}")
  set(TALLY_DATE ${day} PARENT_SCOPE)
  set(TALLY_DATE_RFC2822 ${rfc2822} PARENT_SCOPE)
endfunction()
tally_date()
