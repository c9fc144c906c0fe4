# bash completion for vdcsim: its options, chassis and response files, the library.
_vdcsim() {
  local cur prev split=false
  _init_completion -s || return
  case $prev in
    --chassis)
      _filedir '@(yaml|yml|json)'
      return ;;
    --replay)
      _filedir resp
      return ;;
    --library)
      _filedir so
      return ;;
    --user)
      COMPREPLY=($(compgen -u -- "$cur"))
      return ;;
    -c | --role | --run)
      return ;;
    -h | --help | --version)
      return ;;
  esac
  $split && return
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '-c --chassis= --library= --user= --role= --tour --replay=
      --help --version' -- "$cur"))
    [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
  fi
} && complete -F _vdcsim vdcsim
