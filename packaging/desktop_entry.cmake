# Run when installing: the desktop entry with the command that starts the installed game. Under
# /usr the name alone (its games/ is on every PATH); elsewhere the executable's whole path, since
# a desktop session's menu may not look in that prefix's bin/. Quoted as desktop entries quote
# arguments.
set(command killglimbot)
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(command "${CMAKE_INSTALL_PREFIX}/${KG_EXECUTABLE_DIR}/killglimbot")
  if(command MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
    string(REPLACE "\\" "\\\\" command "${command}")
    string(REPLACE "\"" "\\\"" command "${command}")
    string(REPLACE "`" "\\`" command "${command}")
    string(REPLACE "$" "\\$" command "${command}")
    set(command "\"${command}\"")
  endif()
  # The entry's own escaping of a backslash, and of the field codes' percent sign.
  string(REPLACE "\\" "\\\\" command "${command}")
  string(REPLACE "%" "%%" command "${command}")
endif()
file(READ "${KG_DESKTOP_TEMPLATE}" entry)
string(REPLACE "Exec=killglimbot" "Exec=${command}" entry "${entry}")
file(WRITE "${KG_DESKTOP_ENTRY}" "${entry}")
