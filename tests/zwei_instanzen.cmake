# Two copies of the program started at the same moment in one data folder
# both count their start: the count in KELVORA.INI ends at the number of
# starts, none is lost between one instance's read and the other's write.
file(REMOVE_RECURSE ${ARBEIT})
file(MAKE_DIRECTORY ${ARBEIT})
# Settings alone are no data of the user: both starts of the first round try
# to install the delivered database, and one of them must win cleanly.
file(WRITE ${ARBEIT}/KELVORA.INI "[Sichern]\r\nIntervall=0\r\n")

set(runden 6)
foreach(i RANGE 1 ${runden})
  # The commands of one execute_process run at the same time.
  execute_process(COMMAND ${KELVORA} --datenordner ${ARBEIT} --selbsttest
                  COMMAND ${KELVORA} --datenordner ${ARBEIT} --selbsttest
                  RESULTS_VARIABLE rcs OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
  if(NOT rcs STREQUAL "0;0")
    message(FATAL_ERROR "Runde ${i}: Rückgabewerte ${rcs}")
  endif()
endforeach()

math(EXPR starts "${runden} * 2")
file(READ ${ARBEIT}/KELVORA.INI ini HEX)
# "[HauptFenster]" CR LF ... "AufrufZ\xe4hler=<starts>" CR LF
string(HEX "${starts}" zahl)
string(FIND "${ini}" "4175667275665ae4686c65723d${zahl}0d0a" pos)
if(pos EQUAL -1)
  file(STRINGS ${ARBEIT}/KELVORA.INI zeilen)
  message(FATAL_ERROR "Nach ${starts} Starts steht in KELVORA.INI:\n${zeilen}")
endif()
message(STATUS "${starts} Starts, zwei zugleich: alle gezählt")
