" quorvan's actions in Vim, through quorvan's filter mode: the selected lines go to
" `quorvan /N --filter` and its output replaces them. When an action fails or is
" cancelled quorvan gives the lines back unchanged, so the buffer keeps them.
"
" Install: copy this file to ~/.vim/plugin/ (Neovim: ~/.config/nvim/plugin/), or add
" the directory above plugin/ to 'runtimepath'.
"
" Commands (a range defaults to the cursor line):
"   :[range]QuorvanHeader         function header from a declaration      (/0)
"   :QuorvanModuleHeader          module header at the top of the file   (/1)
"   :[range]QuorvanAccess         access functions from data members     (/2)
"   :[range]QuorvanFilter [cmd]   the external filter; without cmd the   (/4)
"                                 filter dialog asks for it
"   :QuorvanString                a common string below the cursor line  (/5)
"   :[range]QuorvanColumn         column insert: one copy of the entered (/7)
"                                 text per line
"   :[range]QuorvanRtf            rich text as plain text                (/9)
"
" Mappings (unless g:quorvan_no_mappings is set), <Leader> being "\" by default:
"   visual \qh \qa \qf \qc \qr   header, access, filter, column, rtf
"   normal \qm \qs               module header, common string
" In a visual block (CTRL-V) \qc replaces just the block, as a column.
"
" Dialogs are windows when Vim runs with a display, else asked on the terminal.

if exists('g:loaded_quorvan')
  finish
endif
let g:loaded_quorvan = 1

" The program to run; set it for a quorvan that is not on PATH.
let g:quorvan_program = get(g:, 'quorvan_program', 'quorvan')

" The shell command `quorvan /N --filter [/F file] args...`, escaped for a ":!"
" command line. The file name feeds $_Filename and $_BaseFile of the templates.
function! s:Command(action, args) abort
  let l:words = [g:quorvan_program, '/' . a:action, '--filter']
  if expand('%:p') !=# ''
    let l:words += ['/F', expand('%:p')]
  endif
  return join(map(l:words + a:args, 'shellescape(v:val, 1)'), ' ')
endfunction

" Lines first..last through the action.
function! s:FilterLines(first, last, action, ...) abort
  execute a:first . ',' . a:last . '!' . s:Command(a:action, a:000)
endfunction

" The output of an action that reads no selection, put below line `line` (0: above
" the first line). Standard input is empty so that the action does not wait for it.
function! s:InsertOutput(line, action) abort
  execute a:line . 'read !' . s:Command(a:action, []) . ' </dev/null'
endfunction

function! s:ExternalFilter(first, last, command) abort
  if a:command ==# ''
    call s:FilterLines(a:first, a:last, 4)
  else
    call s:FilterLines(a:first, a:last, 4, '/E', a:command)
  endif
endfunction

" Column insert over the last visual selection: a block is replaced as a block,
" other selections line by line.
function! s:ColumnInsert() abort
  if visualmode() !=# "\<C-v>"
    call s:FilterLines(line("'<"), line("'>"), 7)
    return
  endif
  let l:saved = [getreg('z'), getregtype('z')]
  try
    silent normal! gv"zy
    let l:output = system(s:Command(7, []), getreg('z') . "\n")
    if v:shell_error == 0 && l:output !=# ''
      call setreg('z', split(substitute(l:output, '\n$', '', ''), "\n", 1), 'b')
      silent normal! gv"zp
    endif
  finally
    call setreg('z', l:saved[0], l:saved[1])
  endtry
endfunction

command! -range QuorvanHeader call s:FilterLines(<line1>, <line2>, 0)
command! QuorvanModuleHeader call s:InsertOutput(0, 1)
command! -range QuorvanAccess call s:FilterLines(<line1>, <line2>, 2)
command! -range -nargs=? QuorvanFilter call s:ExternalFilter(<line1>, <line2>, <q-args>)
command! QuorvanString call s:InsertOutput(line('.'), 5)
command! -range QuorvanColumn call s:FilterLines(<line1>, <line2>, 7)
command! -range QuorvanRtf call s:FilterLines(<line1>, <line2>, 9)

xnoremap <silent> <Plug>(quorvan-header) :QuorvanHeader<CR>
nnoremap <silent> <Plug>(quorvan-module-header) :QuorvanModuleHeader<CR>
xnoremap <silent> <Plug>(quorvan-access) :QuorvanAccess<CR>
xnoremap <silent> <Plug>(quorvan-filter) :QuorvanFilter<CR>
nnoremap <silent> <Plug>(quorvan-string) :QuorvanString<CR>
xnoremap <silent> <Plug>(quorvan-column) :<C-u>call <SID>ColumnInsert()<CR>
xnoremap <silent> <Plug>(quorvan-rtf) :QuorvanRtf<CR>

if !get(g:, 'quorvan_no_mappings', 0)
  xmap <Leader>qh <Plug>(quorvan-header)
  nmap <Leader>qm <Plug>(quorvan-module-header)
  xmap <Leader>qa <Plug>(quorvan-access)
  xmap <Leader>qf <Plug>(quorvan-filter)
  nmap <Leader>qs <Plug>(quorvan-string)
  xmap <Leader>qc <Plug>(quorvan-column)
  xmap <Leader>qr <Plug>(quorvan-rtf)
endif
