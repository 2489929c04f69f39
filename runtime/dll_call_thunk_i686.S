/* uintptr_t CallWithStackCheck(void* function, int32_t wordCount,
 *                              const uintptr_t* words, int32_t* stackChanged)
 * Pushes the words (last first), calls the function, and compares the stack
 * pointer with its value before the pushes: a standard-call function removes
 * its own arguments, a caller-cleans one leaves them. The stack is restored
 * either way. */
    .text
    .globl _CallWithStackCheck
    .def _CallWithStackCheck; .scl 2; .type 32; .endef
_CallWithStackCheck:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl 12(%ebp), %ecx
    movl 16(%ebp), %esi
    movl %esp, %edi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    xorl %ecx, %ecx
    cmpl %edi, %esp
    setne %cl
    movl %edi, %esp
    movl 20(%ebp), %ebx
    movl %ecx, (%ebx)
    popl %ebx
    popl %edi
    popl %esi
    popl %ebp
    ret
