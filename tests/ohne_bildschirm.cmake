# Starts the real program with no display at all (no DISPLAY, no
# WAYLAND_DISPLAY, no QT_QPA_PLATFORM): version, help and wrong options must
# answer on the terminal instead of aborting for want of a screen.
file(REMOVE_RECURSE ${ARBEIT})
file(MAKE_DIRECTORY ${ARBEIT})

function(starte erwartet muster)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ${KELVORA} ${ARGN}
    WORKING_DIRECTORY ${ARBEIT}
    RESULT_VARIABLE rc OUTPUT_VARIABLE aus ERROR_VARIABLE fehler TIMEOUT 30)
  if(NOT rc STREQUAL "${erwartet}")
    message(FATAL_ERROR "kelvora ${ARGN}: Rückgabewert ${rc} statt ${erwartet}\n${aus}${fehler}")
  endif()
  if(NOT "${aus}${fehler}" MATCHES "${muster}")
    message(FATAL_ERROR "kelvora ${ARGN}: Ausgabe ohne \"${muster}\":\n${aus}${fehler}")
  endif()
endfunction()

starte(0 "Kelvora     Version 15.05.2015" --version)
starte(0 "Befehle:" --help)
starte(0 "--milch X" auswerten --help)
starte(2 "Unbekannte Angabe auf der Befehlszeile: --farbe" --farbe)
starte(2 "Nach --datenordner fehlt der Ordner." --datenordner "")
starte(2 "Falsche Angabe bei --fett" auswerten --datenordner ${ARBEIT} --fett 40)
# A brand-new folder gets the database delivered beside the executable.
starte(0 "SUMMEN" auswerten --datenordner ${ARBEIT}/neu)

file(GLOB reste ${ARBEIT}/*.INI ${ARBEIT}/neu/*.INI)
if(reste)
  message(FATAL_ERROR "Ohne Fenster wurde eine INI geschrieben: ${reste}")
endif()
message(STATUS "Ohne Bildschirm in Ordnung")
