# Writes the manual page's include file: the hand-written sections, and a
# SYNOPSIS made of the forms that the program's --help lists (its "Usage:"
# line for the window, then each line two blanks in that starts with "--").
# So the help is the one text of the command's forms.
# Usage: cmake -DPROGRAM=quenvale -DINCLUDE=in.h2m -DOUTPUT=out.h2m -P ManualSynopsis.cmake

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
string(FIND "${help}" "\nOptions:\n" options_at)
string(SUBSTRING "${help}" 0 ${options_at} description)

string(REGEX MATCH "Usage: [^\n]* \\[options\\] ([^\n]*)" usage "${description}")
if(NOT usage)
  message(FATAL_ERROR "no usage line in the help of ${PROGRAM}")
endif()
set(forms "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "\n  --[^\n]*" job_forms "${description}")
if(NOT job_forms)
  message(FATAL_ERROR "no forms in the help of ${PROGRAM}")
endif()
list(APPEND forms ${job_forms})

# One line of the synopsis per form; "\&" keeps a form's opening bracket
# from the start of a roff line, "\-" is a minus that stays one.
set(synopsis "[SYNOPSIS]\n")
set(separator "")
foreach(form IN LISTS forms)
  string(STRIP "${form}" form)
  string(REPLACE "-" "\\-" form "${form}")
  string(APPEND synopsis "${separator}.B quenvale\n\\&${form}\n")
  set(separator ".br\n")
endforeach()

file(READ ${INCLUDE} sections)
file(WRITE ${OUTPUT} "${sections}\n${synopsis}")
