# Installing the program into a program folder that already holds a user's files: the delivered
# storm tables and sample storms go there only when missing, so a later install keeps the user's
# tables, the storms they changed and their projects, and puts back only what is gone. The help
# pages go there when missing or older than the delivered ones, so a later install updates the help.
# Run as: cmake -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DPREFIX=<empty folder> -P install_test.cmake

function(install_into prefix)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install into ${prefix} failed: ${rc}")
  endif()
endfunction()

function(expect_file path expected)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
  file(READ ${path} actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${path} holds\n${actual}\ninstead of\n${expected}")
  endif()
endfunction()

file(REMOVE_RECURSE ${PREFIX})
install_into(${PREFIX})

# A fresh folder gets the program, the storm tables and every sample storm as delivered.
if(NOT EXISTS ${PREFIX}/tavo)
  message(FATAL_ERROR "the program was not installed")
endif()
file(READ ${SOURCE_DIR}/data/TablasPDRs_pdr.pcn delivered)
expect_file(${PREFIX}/TablasPDRs_pdr.pcn "${delivered}")
file(GLOB samples RELATIVE ${SOURCE_DIR}/data/Proyectos ${SOURCE_DIR}/data/Proyectos/*_pt.pcn)
list(LENGTH samples count)
if(count LESS 4)
  message(FATAL_ERROR "only ${count} sample storms delivered")
endif()
foreach(sample ${samples})
  file(READ ${SOURCE_DIR}/data/Proyectos/${sample} text)
  expect_file(${PREFIX}/Proyectos/${sample} "${text}")
endforeach()

# The help: every page and picture.
file(GLOB_RECURSE ayuda RELATIVE ${SOURCE_DIR}/data/Ayuda ${SOURCE_DIR}/data/Ayuda/*)
list(LENGTH ayuda count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} help files delivered")
endif()
foreach(archivo ${ayuda})
  if(NOT EXISTS ${PREFIX}/Ayuda/${archivo})
    message(FATAL_ERROR "help file not installed: ${archivo}")
  endif()
endforeach()
file(READ ${SOURCE_DIR}/data/Ayuda/AyudaTAVO.html principal)
expect_file(${PREFIX}/Ayuda/AyudaTAVO.html "${principal}")

# An older main page of the help, and a picture gone.
file(WRITE ${PREFIX}/Ayuda/AyudaTAVO.html "old help")
execute_process(COMMAND touch -d "2001-01-01" ${PREFIX}/Ayuda/AyudaTAVO.html)
file(GLOB imagenes RELATIVE ${PREFIX}/Ayuda ${PREFIX}/Ayuda/imagenes/*.png)
list(GET imagenes 0 imagen)
file(REMOVE ${PREFIX}/Ayuda/${imagen})

# The user's own tables, a changed sample, a deleted sample and a project of theirs.
list(GET samples 0 changed)
list(GET samples 1 deleted)
file(WRITE ${PREFIX}/TablasPDRs_pdr.pcn "user tables")
file(WRITE ${PREFIX}/Proyectos/${changed} "user storm")
file(REMOVE ${PREFIX}/Proyectos/${deleted})
file(WRITE ${PREFIX}/Proyectos/Cuenca_Conf.pcn "user project")
file(WRITE ${PREFIX}/PelcanDir.pcn "user folder")

install_into(${PREFIX})

expect_file(${PREFIX}/TablasPDRs_pdr.pcn "user tables")
expect_file(${PREFIX}/Proyectos/${changed} "user storm")
file(READ ${SOURCE_DIR}/data/Proyectos/${deleted} text)
expect_file(${PREFIX}/Proyectos/${deleted} "${text}")
expect_file(${PREFIX}/Proyectos/Cuenca_Conf.pcn "user project")
expect_file(${PREFIX}/PelcanDir.pcn "user folder")
expect_file(${PREFIX}/Ayuda/AyudaTAVO.html "${principal}")
if(NOT EXISTS ${PREFIX}/Ayuda/${imagen})
  message(FATAL_ERROR "the missing help picture ${imagen} was not put back")
endif()
file(REMOVE_RECURSE ${PREFIX})
