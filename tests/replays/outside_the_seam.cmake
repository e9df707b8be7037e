# A replay holds what the platform answered the game; game code that asked the machine itself
# (its clock, its random numbers, its environment) would make runs that no journal replays.
# Fails, naming the place, when any game folder does.
set(outside "clock_gettime|gettimeofday|std::chrono|SDL_GetTicks|BootClock|std::time[(]|[^:a-z_]time[(]nullptr|random_device|std::rand|[^:a-z_]s?rand[(]|getenv")
set(found "")
foreach(folder shell world graphics sound support resources)
  file(GLOB_RECURSE sources ${SOURCE}/${folder}/*.cpp ${SOURCE}/${folder}/*.h)
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "${outside}")
    foreach(line ${lines})
      string(APPEND found "${source}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "game code asks the machine, not the platform:\n${found}")
endif()
