# A desktop build: the game with its tools and what an install adds around them; tests,
# benchmarks and fuzz targets as the options ask.
# The server comes before packaging, which packages it where it is built.
set(KG_HOST_FOLDERS tools server packaging)

# The optimised build is the one that ships: the hardening distributions build their games with.
add_compile_options($<$<CONFIG:Release>:-fstack-protector-strong>
                    $<$<CONFIG:Release>:-D_FORTIFY_SOURCE=2>)
add_link_options($<$<CONFIG:Release>:LINKER:-z,relro,-z,now>)

# kg_host_program(TARGET): the game's executable runs from the build tree with the data made
# beside it, and is installed among the games.
function(kg_host_program target)
  add_dependencies(${target} game_data)
  install(TARGETS ${target} DESTINATION ${KG_INSTALL_GAMESDIR})
endfunction()
