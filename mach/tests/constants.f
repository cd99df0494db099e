C     Machine constants of mach, compared bit for bit.
      program consts
      integer i2mach
      real r1mach
      double precision d1mach
      integer nbad
      common /bad/ nbad
      nbad = 0
      call chki(i2mach(1), 6, 'i2mach(1)')
      call chki(i2mach(4), 4, 'i2mach(4)')
      call chki(i2mach(5), 8, 'i2mach(5)')
      call chki(i2mach(6), 9999999, 'i2mach(6)')
C     Exact powers of two: 2**-24 and 2**-48.
      call chki(transfer(r1mach(4), 0), int(z'33800000'), 'r1mach(4)')
      call chkd(d1mach(4), 2.0d0**(-48), 'd1mach(4)')
C     The nearest representable values of the decimal constants.
      call chki(transfer(r1mach(1), 0), transfer(1.0e-35, 0),
     &          'r1mach(1)')
      call chki(transfer(r1mach(2), 0), transfer(1.0e+35, 0),
     &          'r1mach(2)')
      call chkd(d1mach(1), 1.0d-99, 'd1mach(1)')
      call chkd(d1mach(2), 1.0d+99, 'd1mach(2)')
C     Arguments the library never asks for give 0.
      call chki(i2mach(2), 0, 'i2mach(2)')
      call chki(transfer(r1mach(3), 0), 0, 'r1mach(3)')
      call chkd(d1mach(5), 0.0d0, 'd1mach(5)')
      if (nbad .ne. 0) stop 1
      end

      subroutine chki(got, want, what)
      integer got, want
      character*(*) what
      integer nbad
      common /bad/ nbad
      if (got .ne. want) then
        write (*,*) what, ': got ', got, ' want ', want
        nbad = nbad + 1
      end if
      end

      subroutine chkd(got, want, what)
      double precision got, want
      character*(*) what
      integer nbad
      common /bad/ nbad
      if (transfer(got, 0_8) .ne. transfer(want, 0_8)) then
        write (*,*) what, ': got ', got, ' want ', want
        nbad = nbad + 1
      end if
      end
